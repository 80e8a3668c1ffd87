#include "platform/SwayPlace.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWidget>

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr char Magic[] = "i3-ipc";
constexpr int MagicLength = 6;
constexpr uint32_t RunCommand = 0;
constexpr uint32_t GetTree = 4;
// A window beside another leaves this much of the desktop between them.
constexpr int Gap = 8;
// Longer than sway ever takes to answer; a sway that hangs must not hang the game.
constexpr int AnswerMilliseconds = 300;

class TSwaySocket
{
public:
    TSwaySocket()
    {
        const QByteArray Path = qgetenv("SWAYSOCK");
        sockaddr_un Address{};
        if (Path.isEmpty() || size_t(Path.size()) >= sizeof(Address.sun_path))
            return;
        FSocket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (FSocket < 0)
            return;
        timeval Limit{0, AnswerMilliseconds * 1000};
        setsockopt(FSocket, SOL_SOCKET, SO_RCVTIMEO, &Limit, sizeof(Limit));
        setsockopt(FSocket, SOL_SOCKET, SO_SNDTIMEO, &Limit, sizeof(Limit));
        Address.sun_family = AF_UNIX;
        std::memcpy(Address.sun_path, Path.constData(), size_t(Path.size()));
        if (connect(FSocket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) != 0) {
            close(FSocket);
            FSocket = -1;
        }
    }
    ~TSwaySocket()
    {
        if (FSocket >= 0)
            close(FSocket);
    }
    TSwaySocket(const TSwaySocket&) = delete;
    TSwaySocket& operator=(const TSwaySocket&) = delete;

    // The answer to one message, or nothing if sway did not give it whole.
    std::optional<QByteArray> Ask(uint32_t Type, const QByteArray& Payload)
    {
        if (FSocket < 0)
            return std::nullopt;
        QByteArray Message(Magic, MagicLength);
        const uint32_t Length = uint32_t(Payload.size());
        Message.append(reinterpret_cast<const char*>(&Length), sizeof(Length));
        Message.append(reinterpret_cast<const char*>(&Type), sizeof(Type));
        Message.append(Payload);
        if (!WriteAll(Message))
            return std::nullopt;
        const std::optional<QByteArray> Header = ReadAll(MagicLength + 2 * sizeof(uint32_t));
        if (!Header || !Header->startsWith(Magic))
            return std::nullopt;
        uint32_t AnswerLength = 0;
        std::memcpy(&AnswerLength, Header->constData() + MagicLength, sizeof(AnswerLength));
        // A tree of a few windows is a few kilobytes; anything near this is not sway's.
        if (AnswerLength > 64u << 20)
            return std::nullopt;
        return ReadAll(AnswerLength);
    }

private:
    bool WriteAll(const QByteArray& Bytes)
    {
        qsizetype Done = 0;
        while (Done < Bytes.size()) {
            const ssize_t Written = write(FSocket, Bytes.constData() + Done, size_t(Bytes.size() - Done));
            if (Written <= 0)
                return false;
            Done += Written;
        }
        return true;
    }
    std::optional<QByteArray> ReadAll(size_t Count)
    {
        QByteArray Bytes(qsizetype(Count), Qt::Uninitialized);
        size_t Done = 0;
        while (Done < Count) {
            const ssize_t Got = read(FSocket, Bytes.data() + Done, Count - Done);
            if (Got <= 0)
                return std::nullopt;
            Done += size_t(Got);
        }
        return Bytes;
    }

    int FSocket = -1;
};

QRect RectOf(const QJsonObject& Node)
{
    const QJsonObject Rect = Node.value(QStringLiteral("rect")).toObject();
    return QRect(Rect.value(QStringLiteral("x")).toInt(), Rect.value(QStringLiteral("y")).toInt(),
                 Rect.value(QStringLiteral("width")).toInt(), Rect.value(QStringLiteral("height")).toInt());
}

std::optional<TSwayNode> FindIn(const QJsonObject& Node, qint64 Pid, const QString& Title, const QRect& Output)
{
    const QRect Screen =
        Node.value(QStringLiteral("type")).toString() == QStringLiteral("output") ? RectOf(Node) : Output;
    if (Node.value(QStringLiteral("pid")).toInteger() == Pid && Node.value(QStringLiteral("name")).toString() == Title)
        return TSwayNode{Node.value(QStringLiteral("id")).toInteger(), RectOf(Node), Screen};
    for (const QString& Children : {QStringLiteral("nodes"), QStringLiteral("floating_nodes")})
        for (const QJsonValue Child : Node.value(Children).toArray())
            if (std::optional<TSwayNode> Found = FindIn(Child.toObject(), Pid, Title, Screen))
                return Found;
    return std::nullopt;
}

} // namespace

bool OnSway()
{
    static const bool Sway = !qEnvironmentVariableIsEmpty("SWAYSOCK");
    return Sway;
}

std::optional<QPoint> PlaceBeside(const QRect& Table, const QSize& Size, const QRect& Output)
{
    const QPoint Tries[] = {QPoint(Table.right() + 1 + Gap, Table.top()),
                            QPoint(Table.left() - Gap - Size.width(), Table.top()),
                            QPoint(Table.left(), Table.bottom() + 1 + Gap),
                            QPoint(Table.left(), Table.top() - Gap - Size.height())};
    for (const QPoint& Try : Tries)
        if (Output.contains(QRect(Try, Size)))
            return Try;
    return std::nullopt;
}

std::optional<TSwayNode> FindSwayNode(const QJsonObject& Tree, qint64 Pid, const QString& Title)
{
    return FindIn(Tree, Pid, Title, QRect());
}

bool MoveBesideOnSway(const QWidget* Window, const QWidget* Table)
{
    TSwaySocket Sway;
    const std::optional<QByteArray> Tree = Sway.Ask(GetTree, QByteArray());
    if (!Tree)
        return false;
    const QJsonObject Root = QJsonDocument::fromJson(*Tree).object();
    const qint64 Pid = QCoreApplication::applicationPid();
    const std::optional<TSwayNode> Moved = FindSwayNode(Root, Pid, Window->windowTitle());
    const std::optional<TSwayNode> Beside = FindSwayNode(Root, Pid, Table->windowTitle());
    if (!Moved || !Beside)
        return false;
    const std::optional<QPoint> To = PlaceBeside(Beside->Rect, Moved->Rect.size(), Beside->Output);
    if (!To)
        return true;
    // Sway's own positions are the desktop's; the command wants them so too.
    const QByteArray Command = QStringLiteral("[con_id=%1] move absolute position %2 %3")
                                   .arg(Moved->Id)
                                   .arg(To->x())
                                   .arg(To->y())
                                   .toUtf8();
    const std::optional<QByteArray> Answer = Sway.Ask(RunCommand, Command);
    return Answer &&
           QJsonDocument::fromJson(*Answer).array().at(0).toObject().value(QStringLiteral("success")).toBool();
}
