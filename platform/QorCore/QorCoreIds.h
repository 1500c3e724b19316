#pragma once
// Names and class ids of the core component's COM classes. The program reaches them only
// by ProgID (CLSIDFromProgID, then CoCreateInstance); the class ids are the ones our core
// component registers under those ProgIDs.
#include "framework/Platform.h"
#include <objbase.h>

// The ProgIDs the program creates.
constexpr const wchar_t* kProgIdQorMsg = L"QorCore.QorMsg";
constexpr const wchar_t* kProgIdQorConsole = L"QorCore.QorConsole";
constexpr const wchar_t* kProgIdQorWebCtl = L"QorCore.QorWebCtl";
// A command object as the core hands it to the callback sinks; creatable so that tests can
// build the events the core would send.
constexpr const wchar_t* kProgIdQorCmd = L"QorCore.QorCmd";

// Message types (IQorMsg::get_MsgType) the program and the view library tell apart: a
// bulletin, and the two kinds of group message; every other type is a person's message.
constexpr long kQorMsgTypeBulletin = 7;
constexpr long kQorMsgTypeGroup = 11;
constexpr long kQorMsgTypeGroupOpt = 14;

// The context the program creates core objects with: in-process server and handler,
// local and remote server.
constexpr DWORD kQorCoreClsCtx = 0x17;

// {7B0C4E51-3F2A-4C8E-9D41-6A2E5B8C1F01}
static const CLSID CLSID_QorMsg = {0x7b0c4e51, 0x3f2a, 0x4c8e, {0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x01}};
// {7B0C4E51-3F2A-4C8E-9D41-6A2E5B8C1F02}
static const CLSID CLSID_QorConsole = {0x7b0c4e51, 0x3f2a, 0x4c8e, {0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x02}};
// {7B0C4E51-3F2A-4C8E-9D41-6A2E5B8C1F03}
static const CLSID CLSID_QorWebCtl = {0x7b0c4e51, 0x3f2a, 0x4c8e, {0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x03}};
// {7B0C4E51-3F2A-4C8E-9D41-6A2E5B8C1F04}
static const CLSID CLSID_QorCmd = {0x7b0c4e51, 0x3f2a, 0x4c8e, {0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x04}};
