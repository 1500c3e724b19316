#include "standin/QorCore/CQorCrypto.h"
#include "framework/Platform.h"
#include <bcrypt.h>

namespace {

const wchar_t* AlgName(CQorCrypto::Hash hash) { return hash == CQorCrypto::SHA256 ? BCRYPT_SHA256_ALGORITHM : BCRYPT_SHA1_ALGORITHM; }

// One hash or HMAC run; the algorithm handles are opened per call (they are cheap, and the
// iterations of PBKDF2 reuse one).
class HashRun {
public:
    HashRun(CQorCrypto::Hash hash, bool hmac)
    {
        if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&m_alg, AlgName(hash), nullptr,
                                                          hmac ? BCRYPT_ALG_HANDLE_HMAC_FLAG : 0)))
            m_alg = nullptr;
        DWORD got = 0;
        if (m_alg)
            ::BCryptGetProperty(m_alg, BCRYPT_HASH_LENGTH, reinterpret_cast<PUCHAR>(&m_nLength), sizeof(m_nLength), &got, 0);
    }
    ~HashRun()
    {
        if (m_alg)
            ::BCryptCloseAlgorithmProvider(m_alg, 0);
    }
    HashRun(const HashRun&) = delete;
    HashRun& operator=(const HashRun&) = delete;

    std::string Run(const std::string* key, const std::string& data)
    {
        if (!m_alg || !m_nLength)
            return std::string();
        BCRYPT_HASH_HANDLE h = nullptr;
        PUCHAR secret = key ? reinterpret_cast<PUCHAR>(const_cast<char*>(key->data())) : nullptr;
        const ULONG secretLen = key ? static_cast<ULONG>(key->size()) : 0;
        if (!BCRYPT_SUCCESS(::BCryptCreateHash(m_alg, &h, nullptr, 0, secret, secretLen, 0)))
            return std::string();
        std::string out(m_nLength, '\0');
        bool ok = BCRYPT_SUCCESS(::BCryptHashData(h, reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                                  static_cast<ULONG>(data.size()), 0)) &&
                  BCRYPT_SUCCESS(::BCryptFinishHash(h, reinterpret_cast<PUCHAR>(&out[0]), m_nLength, 0));
        ::BCryptDestroyHash(h);
        return ok ? out : std::string();
    }

private:
    BCRYPT_ALG_HANDLE m_alg = nullptr;
    DWORD m_nLength = 0;
};

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Sextet(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

std::string CQorCrypto::Digest(Hash hash, const std::string& data)
{
    return HashRun(hash, false).Run(nullptr, data);
}

std::string CQorCrypto::Hmac(Hash hash, const std::string& key, const std::string& data)
{
    return HashRun(hash, true).Run(&key, data);
}

std::string CQorCrypto::Pbkdf2(Hash hash, const std::string& password, const std::string& salt, unsigned iterations)
{
    HashRun hmac(hash, true);
    std::string u = hmac.Run(&password, salt + std::string("\0\0\0\1", 4));
    std::string result = u;
    for (unsigned i = 1; i < iterations && !u.empty(); ++i) {
        u = hmac.Run(&password, u);
        for (size_t k = 0; k < result.size() && k < u.size(); ++k)
            result[k] = static_cast<char>(result[k] ^ u[k]);
    }
    return u.empty() ? std::string() : result;
}

std::string CQorCrypto::Random(size_t n)
{
    std::string out(n, '\0');
    if (n && !BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&out[0]), static_cast<ULONG>(n),
                                                BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        return std::string();
    return out;
}

std::string CQorCrypto::Base64Encode(const std::string& data)
{
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(data[i]) << 16) | (static_cast<unsigned char>(data[i + 1]) << 8) |
                           static_cast<unsigned char>(data[i + 2]);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    if (i < data.size()) {
        unsigned v = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < data.size())
            v |= static_cast<unsigned char>(data[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < data.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool CQorCrypto::Base64Decode(const std::string& text, std::string& data)
{
    data.clear();
    if (text.size() % 4 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 4) {
        int s[4];
        int pad = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                s[k] = 0;
                ++pad;
            } else if (pad || (s[k] = Sextet(c)) < 0) {
                return false;
            }
        }
        const unsigned v = (s[0] << 18) | (s[1] << 12) | (s[2] << 6) | s[3];
        data += static_cast<char>((v >> 16) & 0xFF);
        if (pad < 2)
            data += static_cast<char>((v >> 8) & 0xFF);
        if (pad < 1)
            data += static_cast<char>(v & 0xFF);
    }
    return true;
}
