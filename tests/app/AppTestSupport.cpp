#include "tests/app/AppTestSupport.h"

namespace apptest {

CKorvelApp& App()
{
    static CKorvelApp app;
    return app;
}

ResourceModuleScope::ResourceModuleScope()
{
    m_hSaved = AfxGetResourceHandle();
    m_hModule = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
    if (m_hModule)
        AfxSetResourceHandle(m_hModule);
}

ResourceModuleScope::~ResourceModuleScope()
{
    AfxSetResourceHandle(m_hSaved);
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

} // namespace apptest
