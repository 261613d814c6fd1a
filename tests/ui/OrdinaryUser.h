// A test that must fail to write where an ordinary user may not, run by root,
// acts as an ordinary user for the while.
#pragma once

#include <QString>
#include <QtGlobal>

#include <sys/prctl.h>
#include <unistd.h>

#include <grp.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace millcalc {

// Root writes wherever it likes, so a test run by root tries a read-only
// folder as an ordinary user: the process takes the rights of "nobody" for the
// while and gives root's back when this goes, which the saved user id, left
// root, allows. An ordinary user keeps its own rights.
class OrdinaryUser {
public:
    static constexpr uid_t kNobody = 65534;

    OrdinaryUser() = default;
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    ~OrdinaryUser()
    {
        if (!dropped_)
            return;
        // Root again first: only root may set the groups.
        if (setresuid(0, 0, 0) != 0 || setresgid(gid_, gid_, gid_) != 0
            || setgroups(groups_.size(), groups_.data()) != 0)
            qFatal("root's rights could not be taken back: %s", std::strerror(errno));
        prctl(PR_SET_DUMPABLE, dumpable_);
    }

    static bool isRoot() { return geteuid() == 0; }

    // Empty when the process now runs as an ordinary user, else why not.
    QString become()
    {
        if (!isRoot())
            return QString();
        gid_ = getegid();
        groups_.resize(static_cast<std::size_t>(getgroups(0, nullptr)));
        if (getgroups(static_cast<int>(groups_.size()), groups_.data()) < 0)
            return why("getgroups");
        dumpable_ = prctl(PR_GET_DUMPABLE);
        if (setgroups(0, nullptr) != 0)
            return why("setgroups");
        dropped_ = true;
        if (setresgid(kNobody, kNobody, gid_) != 0)
            return why("setresgid");
        if (setresuid(kNobody, kNobody, 0) != 0)
            return why("setresuid");
        return QString();
    }

private:
    static QString why(const char* call)
    {
        return QStringLiteral("%1 failed (%2): root cannot act as user %3, so the read-only "
                              "folder is not tried; run the test as an ordinary user")
            .arg(QLatin1String(call), QString::fromLocal8Bit(std::strerror(errno)))
            .arg(kNobody);
    }

    bool dropped_ = false;
    gid_t gid_ = 0;
    std::vector<gid_t> groups_;
    int dumpable_ = 1;
};

} // namespace millcalc
