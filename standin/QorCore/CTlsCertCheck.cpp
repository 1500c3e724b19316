#include "standin/QorCore/CTlsCertCheck.h"

CTlsCertCheck::Verdict CTlsCertCheck::Classify(DWORD dwPolicyError, DWORD dwChainErrorStatus)
{
    const HRESULT policy = static_cast<HRESULT>(dwPolicyError);
    // An unknown authority comes first: what such a certificate says of its name or its dates
    // means nothing.
    if (policy == CERT_E_UNTRUSTEDROOT || policy == CERT_E_CHAINING || policy == CERT_E_UNTRUSTEDTESTROOT ||
        (dwChainErrorStatus & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN)))
        return CERT_UNTRUSTED;
    if (policy == CERT_E_CN_NO_MATCH)
        return CERT_WRONG_NAME;
    if (policy == CERT_E_EXPIRED || policy == CERT_E_VALIDITYPERIODNESTING ||
        (dwChainErrorStatus & (CERT_TRUST_IS_NOT_TIME_VALID | CERT_TRUST_IS_NOT_TIME_NESTED)))
        return CERT_EXPIRED;
    if (dwPolicyError != ERROR_SUCCESS || dwChainErrorStatus != CERT_TRUST_NO_ERROR)
        return CERT_INVALID;
    return CERT_OK;
}

CTlsCertCheck::Verdict CTlsCertCheck::Verify(PCCERT_CONTEXT pCert, const std::wstring& strServerName)
{
    if (!pCert || strServerName.empty())
        return CERT_INVALID;
    // Only a certificate meant for a TLS server will do.
    LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA chainPara = {};
    chainPara.cbSize = sizeof(chainPara);
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    PCCERT_CHAIN_CONTEXT pChain = nullptr;
    // No revocation check: it would need the network of the authority, which a company's own
    // authority often does not publish; the chain, the dates and the name are checked.
    if (!::CertGetCertificateChain(nullptr, pCert, nullptr, pCert->hCertStore, &chainPara, 0, nullptr, &pChain))
        return CERT_INVALID;

    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
    ssl.cbSize = sizeof(ssl);
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.pwszServerName = const_cast<wchar_t*>(strServerName.c_str());
    CERT_CHAIN_POLICY_PARA policy = {};
    policy.cbSize = sizeof(policy);
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status = {};
    status.cbSize = sizeof(status);
    const BOOL checked = ::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, pChain, &policy, &status);
    const DWORD chainStatus = pChain->TrustStatus.dwErrorStatus;
    ::CertFreeCertificateChain(pChain);
    if (!checked)
        return CERT_INVALID;
    return Classify(status.dwError, chainStatus);
}
