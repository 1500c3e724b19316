#pragma once
// Scripting of the file-transfer library for tests: Init fails while refusal is on.
void FileTransferTest_RefuseInit(bool bRefuse);
