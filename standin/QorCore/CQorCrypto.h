#pragma once
// The few cryptographic pieces the sign-in needs, over Windows' own BCrypt: a hash, a keyed hash
// (HMAC), PBKDF2 built on it, random bytes, and Base64. Bytes are std::string throughout.
#include <string>

class CQorCrypto {
public:
    enum Hash { SHA1, SHA256 };

    // Each returns an empty string when BCrypt refuses (no such algorithm).
    static std::string Digest(Hash hash, const std::string& data);
    static std::string Hmac(Hash hash, const std::string& key, const std::string& data);
    // PBKDF2 with one block: the "Hi" of SCRAM (output as long as the hash).
    static std::string Pbkdf2(Hash hash, const std::string& password, const std::string& salt, unsigned iterations);
    static std::string Random(size_t n);

    static std::string Base64Encode(const std::string& data);
    // False on characters outside the alphabet or a length that is not whole.
    static bool Base64Decode(const std::string& text, std::string& data);
};
