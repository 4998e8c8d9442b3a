// Arbitrary messages into the answer dispatch. Input: one selector byte, then
// the payload. The selector picks the topic (the four of the controller in
// use, another controller's, or a topic taken from the input up to the first
// newline) and the size of the installer's parameter list. After each
// message the caches, flags and hand-outs must be what the rules allow.
#include "app/SharedState.h"
#include "link/AnswerDispatcher.h"
#include "link/AnswerFields.h"
#include "link/ClockText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #cond, __LINE__);                           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

constexpr int Untouched = -1234567;
constexpr int UntouchedSchematic = 4242;
const QString Serial = QStringLiteral("F1");

bool headerIs(const QStringList &fields, const QStringList &literal)
{
    if (fields.size() < literal.size())
        return false;
    for (int i = 0; i < literal.size(); ++i)
        if (fields[i] != literal[i])
            return false;
    return true;
}

// Slots first..first+count-1 either kept their mark or hold what their field says.
template <typename Cache>
void checkSlots(const Cache &cache, int first, int count, const QStringList &fields, bool allowed)
{
    for (int i = 1; i <= count; ++i) {
        const int v = cache[first + i - 1];
        if (v == Untouched)
            continue;
        CHECK(allowed);
        CHECK(3 + i < fields.size());
        CHECK(v == cacheValue(fields[3 + i]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t selector = data[0];
    QByteArray payload(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    QString topic;
    switch (selector % 6) {
    case 0:
        topic = Serial + QStringLiteral("/Ret");
        break;
    case 1:
        topic = Serial + QStringLiteral("/ARet");
        break;
    case 2:
        topic = Serial + QStringLiteral("/S");
        break;
    case 3:
        topic = Serial + QStringLiteral("/T");
        break;
    case 4:
        topic = QStringLiteral("F2/Ret");
        break;
    default: {
        const qsizetype nl = payload.indexOf('\n');
        topic = QString::fromUtf8(payload.left(nl < 0 ? 0 : nl));
        payload = payload.mid(nl < 0 ? 0 : nl + 1);
    }
    }
    static const int rowCounts[] = {0, 40, 60, 150};
    const int rows = rowCounts[(selector >> 3) & 3];

    SharedState state;
    state.ActiveUser.ActiveTopic = Serial;
    state.SchematicNumber = UntouchedSchematic;
    for (int r = 1; r <= 100; ++r)
        state.HoldingRegs.set(r, Untouched);
    for (int r = 1; r <= 30; ++r)
        state.AnalogRegs.set(r, Untouched);

    AnswerDispatcher dispatcher(state);
    int green = 0, clocks = 0, cleared = 0, entries = 0;
    QList<QPair<int, int>> updates;
    DispatchHooks &h = dispatcher.hooks();
    h.circleGreen = [&] { ++green; };
    h.clockAnswer = [&](const QStringList &f) {
        ++clocks;
        ClockLabels labels;
        applyClockAnswer(f, labels);
    };
    h.clearSchedules = [&] { ++cleared; };
    h.addScheduleEntry = [&](const QStringList &f, const QString &) {
        ++entries;
        CHECK(f.size() >= 4 && f[0] == QLatin1String("11") && f[1] == QLatin1String("9"));
    };
    h.installerRowCount = [&] { return rows; };
    h.installerRowNum = [&](int k) {
        CHECK(k >= 0 && k < rows);
        return 30 + (k * 7) % 80; // registers 30..109, some outside 51..100
    };
    h.installerUpdateVal = [&](int k, int v) { updates.append({k, v}); };

    const bool answered = dispatcher.MQTTPublishReceived(topic, payload);

    const QStringList fields = splitFields(QString::fromUtf8(payload));
    const bool isRet = topic == Serial + QStringLiteral("/Ret");
    const bool isARet = topic == Serial + QStringLiteral("/ARet");
    const bool isS = topic == Serial + QStringLiteral("/S");
    const bool low = isRet && headerIs(fields, {"53", "4", "1", "50"});
    const bool high = isRet && headerIs(fields, {"53", "4", "51", "50"});
    const bool clock = isARet && headerIs(fields, {"10", "14", "30"});
    const bool analog = isARet && !clock && headerIs(fields, {"33", "14", "1", "30"});

    checkSlots(state.HoldingRegs, 1, 50, fields, low);
    checkSlots(state.HoldingRegs, 51, 50, fields, high);
    checkSlots(state.AnalogRegs, 1, 30, fields, analog);
    if (low && fields.size() > 33 && readStrictInt(fields[33]))
        CHECK(state.SchematicNumber == *readStrictInt(fields[33]));
    else
        CHECK(state.SchematicNumber == UntouchedSchematic);
    CHECK(state.HoldingRegsUpdated == (low || high));
    CHECK(state.AnalogRegsUpdated == analog);
    CHECK(clocks == (clock ? 1 : 0));
    CHECK(answered == (low || high || isARet || isS));
    CHECK(green == (answered ? 1 : 0));
    CHECK(cleared + entries <= 1);
    if (cleared || entries)
        CHECK(isS);
    for (const auto &[k, v] : updates) {
        CHECK(high);
        CHECK(k >= 50 && k <= std::min(rows - 1, 99));
        const int num = 30 + (k * 7) % 80;
        CHECK(num >= 51 && num <= 100);
        CHECK(v == cacheValue(fields[num - 47]));
    }

    // The time texts take the same kind of input.
    const QString text = QString::fromUtf8(payload);
    CHECK(GetTime(text).size() >= 3);
    CHECK(NumStringFillZeroes(text, 4).size() >= 4);
    return 0;
}
