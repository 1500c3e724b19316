#include "standin/QorCore/CScramClient.h"
#include <cstdlib>
#include <map>

namespace {

// A server that asks for fewer rounds weakens the stored key; one that asks for very many
// would keep the sign-in thread busy for minutes.
const unsigned kMinIterations = 1024;
const unsigned kMaxIterations = 1000000;

// "a=1,b=2" into its attributes; false when an item is not "letter=value".
bool ParseAttributes(const std::string& text, std::map<char, std::string>& out)
{
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t comma = text.find(',', pos);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string item = text.substr(pos, comma - pos);
        if (item.size() < 2 || item[1] != '=')
            return false;
        out[item[0]] = item.substr(2);
        pos = comma + 1;
    }
    return true;
}

std::string Xor(const std::string& a, const std::string& b)
{
    std::string out = a;
    for (size_t i = 0; i < out.size() && i < b.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ b[i]);
    return out;
}

} // namespace

CScramClient::CScramClient(CQorCrypto::Hash hash, const std::string& user, const std::string& nonce)
    : m_hash(hash), m_strUser(user), m_strNonce(nonce)
{
    if (m_strNonce.empty()) {
        // Base64 holds no "," and so is a valid nonce as it stands.
        m_strNonce = CQorCrypto::Base64Encode(CQorCrypto::Random(18));
    }
    m_strFirstBare = "n=" + EscapeName(m_strUser) + ",r=" + m_strNonce;
}

const char* CScramClient::MechanismName(CQorCrypto::Hash hash)
{
    return hash == CQorCrypto::SHA256 ? "SCRAM-SHA-256" : "SCRAM-SHA-1";
}

std::string CScramClient::EscapeName(const std::string& name)
{
    std::string out;
    for (char c : name) {
        if (c == '=')
            out += "=3D";
        else if (c == ',')
            out += "=2C";
        else
            out += c;
    }
    return out;
}

std::string CScramClient::ClientFirst() const
{
    return "n,," + m_strFirstBare;
}

bool CScramClient::ClientFinal(const std::string& serverFirst, const std::string& password, std::string& clientFinal)
{
    std::map<char, std::string> attrs;
    if (!ParseAttributes(serverFirst, attrs) || attrs.count('m'))
        return false;
    const std::string& nonce = attrs['r'];
    if (nonce.size() <= m_strNonce.size() || nonce.compare(0, m_strNonce.size(), m_strNonce) != 0)
        return false;
    std::string salt;
    if (!CQorCrypto::Base64Decode(attrs['s'], salt) || salt.empty())
        return false;
    const std::string& iterText = attrs['i'];
    char* end = nullptr;
    const unsigned long iterations = std::strtoul(iterText.c_str(), &end, 10);
    if (iterText.empty() || *end || iterations < kMinIterations || iterations > kMaxIterations)
        return false;

    const std::string salted = CQorCrypto::Pbkdf2(m_hash, password, salt, static_cast<unsigned>(iterations));
    if (salted.empty())
        return false;
    const std::string clientKey = CQorCrypto::Hmac(m_hash, salted, "Client Key");
    const std::string storedKey = CQorCrypto::Digest(m_hash, clientKey);
    const std::string withoutProof = "c=biws,r=" + nonce; // "biws" is "n,," in Base64
    const std::string authMessage = m_strFirstBare + "," + serverFirst + "," + withoutProof;
    const std::string clientSignature = CQorCrypto::Hmac(m_hash, storedKey, authMessage);
    const std::string serverKey = CQorCrypto::Hmac(m_hash, salted, "Server Key");
    m_strServerSignature = CQorCrypto::Hmac(m_hash, serverKey, authMessage);
    if (clientKey.empty() || storedKey.empty() || clientSignature.empty() || m_strServerSignature.empty())
        return false;
    clientFinal = withoutProof + ",p=" + CQorCrypto::Base64Encode(Xor(clientKey, clientSignature));
    return true;
}

bool CScramClient::VerifyServerFinal(const std::string& serverFinal) const
{
    std::map<char, std::string> attrs;
    if (m_strServerSignature.empty() || !ParseAttributes(serverFinal, attrs) || attrs.count('e') || !attrs.count('v'))
        return false;
    std::string signature;
    return CQorCrypto::Base64Decode(attrs['v'], signature) && signature == m_strServerSignature;
}
