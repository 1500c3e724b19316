#pragma once
// Builds a message database of any size, the same for the same options on every machine
// (its own fixed-seed random numbers), through the database library's own write path
// (CQorMsgDBMgr's Add operations, in transactions of a few thousand messages).
//
// What it holds, for N messages:
// - about 60% received (Col_MsgFolder 1), 35% sent (2), 5% filed in 20 user folders (Col_Type 3);
// - senders and receivers among `senders` people with a Zipf-like frequency (person 0 the most
//   frequent); the signed-in user is `selfLogin`;
// - send dates over five years from 2021-01-01 at whole minutes, so that many dates tie;
// - subjects in Latin or CJK words; bodies of 50 to 2,000 characters as KTF (half), RTF (a
//   quarter) or plain UTF-8 (a quarter), with their plain text in Col_Content_Text;
// - the word kCommonWord in about a third of the bodies, kRareWord in about one in 10,000
//   (at least one), kQuoteWord (which holds a single quote) in about one in 100;
// - 1 to 3 attachments on about 10% of the messages; 1 to 20 receipt rows per sent message;
// - unread rows for about 2% of the received messages; N/2000 group talks (at least 3) of 20
//   entries each, their ids "talk_<number>".
#include "framework/CString.h"

class CQorMsgDBMgr;

struct MsgDbGenOptions {
    int messages = 1000000;
    unsigned seed = 20261210;
    int senders = 5000;
    int userFolders = 20;
    CString selfLogin = L"me";
    CString selfName = L"Me Myself";
    int batch = 5000; // messages per transaction
};

struct MsgDbGenResult {
    int received = 0, sent = 0, filed = 0;
    int attachments = 0, receipts = 0, talks = 0, talkEntries = 0;
    double ms = 0; // wall time of the whole build
};

extern const wchar_t kMsgDbCommonWord[]; // "meeting"
extern const wchar_t kMsgDbRareWord[];   // "zephyrine"
extern const wchar_t kMsgDbQuoteWord[];  // "O'Brien"

// The id of message i (0-based), the login and display name of person i.
CString MsgDbGenMsgID(int i);
CString MsgDbGenLogin(int person);
CString MsgDbGenName(int person);

// Replaces the file with a new database of the options' size; false (with the library's error
// text in *pError) when a row could not be written.
bool GenerateMsgDb(LPCWSTR pszPath, const MsgDbGenOptions& options, MsgDbGenResult* pResult = nullptr,
                   CString* pError = nullptr);
// The same into a database already open on the manager (its tables made by InitDBTable).
bool GenerateMsgDbInto(CQorMsgDBMgr& db, const MsgDbGenOptions& options, MsgDbGenResult* pResult = nullptr);
