#include "AccessProbe.h"

#include "AccessError.h"
#include "AccessReader.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace AccessProbe {

namespace {

// What the child writes back: one byte (0 read whole, else 1 + the kind),
// then the message in UTF-8.
[[noreturn]] void childReads(const QString &path, int out)
{
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
    }
    QByteArray answer(1, '\0');
    try {
        AccessReader reader(path);
        const QVector<AccessTable> tables = reader.tables();
        for (const AccessTable &table : tables)
            reader.readRows(table, [](const AccessRow &) { return true; });
    } catch (const AccessError &error) {
        answer[0] = char(1 + int(error.kind()));
        answer += error.message().toUtf8();
    } catch (...) {
        answer[0] = char(1 + int(AccessError::Kind::Damaged));
    }
    for (qsizetype done = 0; done < answer.size();) {
        const ssize_t n = ::write(out, answer.constData() + done, size_t(answer.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    ::_exit(0);
}

[[noreturn]] void stopped(const QString &path, const QString &how)
{
    throw AccessError(AccessError::Kind::Damaged,
                      QStringLiteral("The file %1 is damaged: reading it %2. Copy it again from the school's "
                                     "computer, or let Access repair it (Compact and Repair), then import again.")
                          .arg(QDir::toNativeSeparators(path), how));
}

} // namespace

void requireReadable(const QString &path)
{
    // The header is checked here first, so the commonest refusals need no child.
    AccessFileCheck::requireAccessFile(path);

    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0)
        throw AccessError(AccessError::Kind::CannotOpen, QStringLiteral("The file cannot be read: no pipe."));
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        throw AccessError(AccessError::Kind::CannotOpen, QStringLiteral("The file cannot be read: no process."));
    }
    if (child == 0) {
        ::close(channel[0]);
        childReads(path, channel[1]);
    }
    ::close(channel[1]);

    // A sound file reads at several megabytes a second; far longer means a loop.
    const qint64 limitMs = 60000 + QFileInfo(path).size() / 1000;
    QElapsedTimer clock;
    clock.start();
    QByteArray answer;
    bool timedOut = false;
    for (;;) {
        pollfd wait{channel[0], POLLIN, 0};
        const qint64 left = limitMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        const int ready = ::poll(&wait, 1, int(std::min<qint64>(left, 1000)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    ::close(channel[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut)
        stopped(path, QStringLiteral("did not come to an end"));
    if (!WIFEXITED(status) || answer.isEmpty())
        stopped(path, QStringLiteral("stopped the reader"));
    const int code = static_cast<unsigned char>(answer.at(0));
    if (code == 0)
        return;
    const auto kind = AccessError::Kind(code - 1);
    const QString message = QString::fromUtf8(answer.mid(1));
    if (message.isEmpty())
        stopped(path, QStringLiteral("failed"));
    throw AccessError(kind, message);
}

} // namespace AccessProbe
