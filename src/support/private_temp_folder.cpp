#include "support/private_temp_folder.h"

#include <QDir>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace lxt {

namespace {

// The folders alive at any time: the removal at a signal reads these without locks.
constexpr int kSlotCount = 16;
constexpr int kMaxPathBytes = 4096;
// A folder tree deeper than this is not followed by the removal at a signal.
constexpr int kMaxRemovalDepth = 8;

struct Slot {
    std::atomic<bool> claimed{false};  // taken by a folder
    std::atomic<bool> ready{false};    // path holds that folder's path
    char path[kMaxPathBytes] = {};
};

Slot gSlots[kSlotCount];

constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP};

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Removes everything inside the open folder `fd`, with system calls only (no allocation), so
// that a signal handler can use it. Entries are read again until a pass removes nothing.
void EmptyFolderAt(int fd, int depth) noexcept {
    alignas(8) char buffer[2048];
    for (;;) {
        bool removedAny = false;
        if (lseek(fd, 0, SEEK_SET) < 0) return;
        for (;;) {
            const long bytes = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
            if (bytes <= 0) break;
            for (long offset = 0; offset < bytes;) {
                struct LinuxDirent64 {
                    unsigned long long d_ino;
                    long long d_off;
                    unsigned short d_reclen;
                    unsigned char d_type;
                    char d_name[1];
                };
                const auto* entry = reinterpret_cast<const LinuxDirent64*>(buffer + offset);
                offset += entry->d_reclen;
                const char* name = entry->d_name;
                if (IsDotOrDotDot(name)) continue;
                if (unlinkat(fd, name, 0) == 0) {
                    removedAny = true;
                    continue;
                }
                if (depth >= kMaxRemovalDepth) continue;
                const int child = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (child < 0) continue;
                EmptyFolderAt(child, depth + 1);
                close(child);
                if (unlinkat(fd, name, AT_REMOVEDIR) == 0) removedAny = true;
            }
        }
        if (!removedAny) return;
    }
}

void RemoveTreeNow(const char* path) noexcept {
    const int fd = open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    EmptyFolderAt(fd, 0);
    close(fd);
    rmdir(path);
}

extern "C" void OnEndingSignal(int signalNumber) {
    const int savedErrno = errno;
    RemovePrivateTempFoldersNow();
    // End the way the signal would have ended the program without this handler.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(signalNumber, &byDefault, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signalNumber);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signalNumber);
    errno = savedErrno;
}

// Takes over each ending signal that still has its default action. A signal the program
// handles itself (Ctrl-C in the counter) or that is ignored (nohup) is left alone.
void InstallSignalHandlers() {
    for (const int signalNumber : kHandledSignals) {
        struct sigaction current {};
        if (sigaction(signalNumber, nullptr, &current) != 0) continue;
        if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction ours {};
        ours.sa_handler = OnEndingSignal;
        sigemptyset(&ours.sa_mask);
        for (const int other : kHandledSignals) sigaddset(&ours.sa_mask, other);
        sigaction(signalNumber, &ours, nullptr);
    }
}

int Register(const QByteArray& path) {
    if (path.size() >= kMaxPathBytes) return -1;
    for (int i = 0; i < kSlotCount; ++i) {
        bool expected = false;
        if (!gSlots[i].claimed.compare_exchange_strong(expected, true)) continue;
        std::memcpy(gSlots[i].path, path.constData(), static_cast<size_t>(path.size()) + 1);
        gSlots[i].ready.store(true);
        return i;
    }
    return -1;
}

// A folder made by mkdtemp is 0700 and ours; anything else is not used.
bool IsPrivateFolder(const QByteArray& path) {
    struct stat info {};
    if (lstat(path.constData(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 0077) == 0;
}

// Holds back the ending signals while a folder is made and registered: one that arrives
// between the two is delivered afterwards, when its handler knows the folder.
class EndingSignalsHeldBack {
  public:
    EndingSignalsHeldBack() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signalNumber : kHandledSignals) sigaddset(&held, signalNumber);
        sigprocmask(SIG_BLOCK, &held, &before_);
    }
    ~EndingSignalsHeldBack() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
    EndingSignalsHeldBack(const EndingSignalsHeldBack&) = delete;
    EndingSignalsHeldBack& operator=(const EndingSignalsHeldBack&) = delete;

  private:
    sigset_t before_;
};

}  // namespace

PrivateTempFolder::PrivateTempFolder(const QString& tag) {
    InstallSignalHandlers();
    const EndingSignalsHeldBack heldBack;
    dir_.emplace(QDir::tempPath() + QDir::separator() + tag + QStringLiteral("-XXXXXX"));
    if (!dir_->isValid()) {
        error_ = dir_->errorString();
        return;
    }
    const QByteArray path = QFile::encodeName(dir_->path());
    if (!IsPrivateFolder(path)) {
        error_ = QStringLiteral("The temporary folder is not private");
        dir_->remove();
        return;
    }
    slot_ = Register(path);
    if (slot_ < 0) {
        error_ = QStringLiteral("Too many temporary folders");
        dir_->remove();
    }
}

PrivateTempFolder::~PrivateTempFolder() {
    if (slot_ < 0) return;
    // Removed first: a signal meanwhile removes what is left and ends the program.
    dir_->remove();
    gSlots[slot_].ready.store(false);
    gSlots[slot_].claimed.store(false);
}

QString PrivateTempFolder::Path() const {
    return IsValid() ? dir_->path() : QString();
}

QString PrivateTempFolder::FilePath(const QString& name) const {
    return IsValid() ? dir_->filePath(name) : QString();
}

void RemovePrivateTempFoldersNow() noexcept {
    for (Slot& slot : gSlots) {
        if (slot.ready.load()) RemoveTreeNow(slot.path);
    }
}

}  // namespace lxt
