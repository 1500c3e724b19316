#pragma once
// A file (or folder) sent with a KTF body. `text` is the file server's key for it; a
// `filetype` of kInlinePicture marks a picture sent as a file, shown inline by the panes.
#include "msgcenter/ktf/CKTFItem.h"

class CKTFFile : public CKTFItem {
public:
    enum { kInlinePicture = 0x40000 };

    CKTFFile(CString strName, INT64 nSize, int nType, CString strText, CString strFshost, int nFiletype);

    CString ToXml() const override;

    int type;
    int filetype;
    CString name;
    CString fshost;
    INT64 size;
    CString text;
};
