#pragma once
// CDocListOleDataSource: the data of an attachment drag out of a list (the chosen rows, their
// paths and names). It offers what is cached and renders nothing on request.
#include "framework/COleDataSource.h"
#include "framework/CStringArray.h"
#include "framework/CUIntArray.h"

class CDocListOleDataSource : public COleDataSource {
public:
    CDocListOleDataSource();
    ~CDocListOleDataSource() override;

    CUIntArray m_arrRows;
    CStringArray m_arrPaths;
    CString m_strSource;
    BOOL m_bEnabled = TRUE;
    int m_nField1 = 0;
    int m_nField2 = 0;
    int m_nField3 = 0;
    int m_nField4 = 0;

protected:
    BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override;
};
