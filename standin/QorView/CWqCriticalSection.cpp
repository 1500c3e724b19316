#include "platform/QorView/CWqCriticalSection.h"

CWqCriticalSection::CWqCriticalSection() { ::InitializeCriticalSection(&m_section); }
CWqCriticalSection::~CWqCriticalSection() { ::DeleteCriticalSection(&m_section); }
void CWqCriticalSection::Lock() { ::EnterCriticalSection(&m_section); }
void CWqCriticalSection::Unlock() { ::LeaveCriticalSection(&m_section); }
BOOL CWqCriticalSection::TryLock() { return ::TryEnterCriticalSection(&m_section); }
