#pragma once
// ILoginByNameOwner: what the sign-in by display name (CKorvelLoginByNameDlg) needs of the sign-in
// panel it lies in: the server the panel signs in to, whose web service it asks and whose saved
// passwords it offers, and a place for the account the user chose. The sign-in panel's by-name
// mode (CLoginByNameMode) implements it; the by-name panel never sees the sign-in panel's class.
#include "framework/CString.h"

class ILoginByNameOwner {
public:
    // The server of the next sign-in.
    virtual CString GetServerAddress() const = 0;
    virtual int GetServerPort() const = 0;
    // The chosen account becomes the one the sign-in panel signs in with and shows;
    // bSavedPassword: the password is the one saved for the account (the panel then ticks
    // "save password", else clears it).
    virtual void ApplyChosenAccount(const CString& strLoginName, const CString& strPassword, bool bSavedPassword) = 0;

protected:
    // Never deleted through this interface: the by-name panel only borrows its owner.
    ~ILoginByNameOwner() = default;
};
