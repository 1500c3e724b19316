#pragma once
// Real-looking KTF bodies for benchmarks and fuzzing: what the sending client writes for chat
// messages (a font, text runs in Chinese and English with line breaks, at-mentions, topics,
// pictures and files), made through the body model's own writer from a seeded generator.
#include "framework/CString.h"
#include <random>
#include <vector>

namespace ktfbench {

// One body of roughly approxChars characters of text (the markup comes on top).
CString MakeSampleBody(std::mt19937& rng, int approxChars);

// count bodies of 50 to 2,000 characters, mostly short, from the seed.
std::vector<CString> MakeSampleBodies(unsigned seed, int count);

} // namespace ktfbench
