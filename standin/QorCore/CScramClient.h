#pragma once
// The client side of a SCRAM sign-in (SCRAM-SHA-1 or SCRAM-SHA-256, without channel binding):
// the first message with our nonce, the final message with the proof computed from the
// password and the server's salt and iteration count, and the check of the server's signature,
// so that a server that does not know the password cannot pretend the sign-in succeeded.
// Messages are the raw texts that travel Base64-encoded inside the SASL elements.
#include "standin/QorCore/CQorCrypto.h"
#include <string>

class CScramClient {
public:
    // The nonce is made at random unless a test gives one.
    CScramClient(CQorCrypto::Hash hash, const std::string& user, const std::string& nonce = std::string());

    // "SCRAM-SHA-1" or "SCRAM-SHA-256".
    static const char* MechanismName(CQorCrypto::Hash hash);

    std::string ClientFirst() const;
    // From the server's first message; false when it is malformed, its nonce does not extend
    // ours, or its iteration count is out of bounds.
    bool ClientFinal(const std::string& serverFirst, const std::string& password, std::string& clientFinal);
    // True only when the server's final message carries the signature that the password gives.
    bool VerifyServerFinal(const std::string& serverFinal) const;

    // SASLprep is not applied; names and passwords with "=" and "," are escaped as the
    // mechanism requires.
    static std::string EscapeName(const std::string& name);

private:
    CQorCrypto::Hash m_hash;
    std::string m_strUser;
    std::string m_strNonce;
    std::string m_strFirstBare;
    std::string m_strServerSignature;
};
