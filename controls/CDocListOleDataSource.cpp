#include "controls/CDocListOleDataSource.h"

CDocListOleDataSource::CDocListOleDataSource() = default;

CDocListOleDataSource::~CDocListOleDataSource() = default;

BOOL CDocListOleDataSource::OnRenderGlobalData(LPFORMATETC /*lpFormatEtc*/, HGLOBAL* /*phGlobal*/)
{
    // Nothing is promised for delayed rendering: everything offered is cached beforehand.
    return FALSE;
}
