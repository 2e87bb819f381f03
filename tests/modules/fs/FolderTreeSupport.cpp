// Folder-tree builders and the guards that provoke denial and exhaustion.
#include "tests/modules/fs/FolderTree.h"

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <algorithm>
#include <stdexcept>

#include <QFile>

namespace fstest {

void makeFolders(const std::filesystem::path& root, std::initializer_list<const char*> folders)
{
    for (const char* folder : folders)
        std::filesystem::create_directories(root / folder);
}

bool setDosAttributes(const std::filesystem::path& path, const std::string& hexText)
{
    return setxattr(path.c_str(), "user.DOSATTRIB", hexText.data(), hexText.size(), 0) == 0;
}

QString entry(const std::filesystem::path& folder)
{
    return QFile::decodeName(QByteArray::fromStdString(folder.string())) + QLatin1Char('/');
}

QStringList relativeSorted(const QStringList& list, const std::filesystem::path& root)
{
    const QString prefix = entry(root);
    QStringList result;
    for (const QString& item : list) {
        if (item.startsWith(prefix))
            result.append(item.mid(prefix.size()));
    }
    result.sort();
    return result;
}

namespace {

constexpr unsigned kOverrideRights = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

void setEffective(bool keepOverride)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        throw std::runtime_error("capget failed");
    if (keepOverride)
        data[0].effective |= data[0].permitted & kOverrideRights;
    else
        data[0].effective &= ~kOverrideRights;
    if (syscall(SYS_capset, &header, data) != 0)
        throw std::runtime_error("capset failed");
}

}  // namespace

WithoutOverrideRights::WithoutOverrideRights()
{
    setEffective(false);
}

WithoutOverrideRights::~WithoutOverrideRights()
{
    setEffective(true);
}

NoFreeFileHandles::NoFreeFileHandles()
{
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    mSoftLimit = limit.rlim_cur;
    const int lowestFree = dup(0);  // the next descriptor open() would hand out
    close(lowestFree);
    limit.rlim_cur = static_cast<rlim_t>(lowestFree);
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
        throw std::runtime_error("setrlimit failed");
}

NoFreeFileHandles::~NoFreeFileHandles()
{
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(mSoftLimit);
    setrlimit(RLIMIT_NOFILE, &limit);
}

}  // namespace fstest
