#pragma once
#include <windows.h>

#include "framework/Guards.h"
#include "framework/String.h"

// The claim one running instance of an application holds, so that a second
// start can hand over to it. The claim is a mutex the system gives up for a
// process when it ends, however it ends, so a crashed instance never blocks
// the next start; a small shared record beside it names the holder.
class CInstanceClaim
{
public:
    CInstanceClaim();
    ~CInstanceClaim();

    // True when this process holds the claim of the name for the user's
    // session, also when the system can give no claim at all: a start is
    // never blocked for want of one. May be asked again while another holds it.
    bool Claim(const CString& name);
    // The process that holds the claim; 0 while it has not said yet.
    DWORD GetHolder() const;

private:
    CInstanceClaim(const CInstanceClaim&) = delete;
    CInstanceClaim& operator=(const CInstanceClaim&) = delete;

    void RecordHolder();

    wchar_t m_claimName[64];
    wchar_t m_recordName[64];
    AutoCloseHandle m_mutex;
    AutoCloseHandle m_record;
    bool m_held;
};
