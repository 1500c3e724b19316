#pragma once
// Fuzzing of the KTF parser: real-looking bodies, mutated the way stored text gets damaged or
// crafted (markup pieces inserted, ranges cut or repeated, bodies spliced, odd characters),
// each parsed, written back and parsed again. A result is sound when its written body parses
// to the same font, items and flags and writes back to the very same text.
#include "framework/CString.h"
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ktfbench {

struct KtfFuzzResult {
    uint64_t inputs = 0;
    uint64_t parsedAsKtf = 0; // inputs with a top-level element
    uint64_t items = 0;       // items read over all inputs
    uint64_t failures = 0;
    std::string firstFailure; // what went wrong, and the input, for the first failure
};

class KtfFuzzer {
public:
    // Seeds from MakeSampleBodies(seed) plus bodies that sit on the parser's edges.
    explicit KtfFuzzer(unsigned seed, int seedBodies = 300);

    // Runs count inputs; progress (when given) is called every progressEvery inputs.
    KtfFuzzResult Run(uint64_t count, void (*progress)(uint64_t done, void* ctx) = nullptr, void* ctx = nullptr,
                      uint64_t progressEvery = 100000);

    // One input through parse, write, parse, write; false with the reason when unsound.
    static bool CheckOne(const CString& input, bool readImg, std::string& why, uint64_t& items, bool& parsed);

    CString NextInput();

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    void Mutate(std::wstring& s);

    std::mt19937 m_rng;
    std::vector<std::wstring> m_seeds;
};

} // namespace ktfbench
