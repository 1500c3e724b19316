#pragma once
// Names of files that other people chose. An attachment's name comes from the sender's message
// and is hostile until checked: "..\..\x.exe" or "C:\Windows\x.dll" would write outside the
// folder the user chose, "CON" or "LPT1.txt" would open a device, "x.exe." and "x.exe " are
// "x.exe" to Windows, "a.txt:hidden" writes a stream. Every such name passes through Clean before
// it is used for anything on disk, a dialog's proposed name included; the name as sent stays the
// key under which the server and the database know the file.
#include "framework/CString.h"

class CSafeFileName {
public:
    // The longest name Clean gives (the folder and a " (n)" still fit within MAX_PATH).
    static constexpr int kMaxLength = 150;

    // A single file name that stays inside whatever folder it is put in: the last part of a
    // path only; control, reserved and direction-changing characters (and ":") as "_"; no
    // blanks at either end nor dots at the end; a device name, with any extension, behind a
    // "_"; at most kMaxLength characters, the extension kept; "attachment" when nothing is
    // left. A trailing "\" (a folder attachment) is kept.
    static CString Clean(const CString& strName);

    // strFolder + "\" + strName when nothing exists at that path, else the name with " (2)",
    // " (3)", ... before its extension: the first that is free. With pszCompanionSuffix, a
    // name counts as free only when the path with that suffix appended is free too (the partial
    // file a download writes first).
    static CString FreePath(const CString& strFolder, const CString& strName, LPCWSTR pszCompanionSuffix = nullptr);

private:
    CSafeFileName() = delete;
};
