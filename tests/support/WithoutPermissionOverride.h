#pragma once
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While it lives, this process cannot override file permissions: the capabilities that let
// the superuser read and write any file leave its effective set, and come back afterwards (they
// stay permitted). Without them a file with no permissions is unreadable for root too, so tests
// of unreadable files run the same under any user.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride()
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        if (syscall(SYS_capget, &header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[_LINUX_CAPABILITY_U32S_3] = {m_saved[0], m_saved[1]};
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            lowered[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
        m_active = syscall(SYS_capset, &header, lowered) == 0;
    }
    ~WithoutPermissionOverride()
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        if (m_active)
            syscall(SYS_capset, &header, m_saved);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride &) = delete;
    WithoutPermissionOverride &operator=(const WithoutPermissionOverride &) = delete;

    // False when the capabilities could not be changed.
    bool active() const { return m_active; }

private:
    __user_cap_data_struct m_saved[_LINUX_CAPABILITY_U32S_3] = {};
    bool m_active = false;
};
