#include "workbench/lesson_file.h"

#include "chart/error_series.h"
#include "decision/decision_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextDocument>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

const QString formatName = QStringLiteral("tivaro-lesson");

// The shortest decimal that reads back as the same number, with a dot
// whatever the locale: a float's as a float's, not as the double's.
template <class Number>
QString decimalOf(Number value)
{
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, written.ptr - text);
}

const std::array<const char *, languageCount> languageCodes = {"de", "en", "sk"};
const std::array<const char *, 4> gateNames = {"NAND", "OR", "AND", "XOR"}; // gates 1..4
const std::array<const char *, 3> outputNames = {"step", "sum", "sigmoid"};

QJsonArray floatsOf(const std::array<float, 3> &values, int count)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(decimalOf(values[std::size_t(i)]));
    return array;
}

QJsonObject stepOf(const WorkedStep &step)
{
    return {{QStringLiteral("pattern"), step.pattern},
            {QStringLiteral("target"), decimalOf(step.target)},
            {QStringLiteral("values"), floatsOf(step.values, step.inputs())},
            {QStringLiteral("weights"), floatsOf(step.weights, step.inputs())},
            {QStringLiteral("threshold"), decimalOf(step.threshold)},
            {QStringLiteral("output"), QLatin1String(outputNames[std::size_t(step.kind)])},
            {QStringLiteral("learns"), step.learns},
            {QStringLiteral("rate"), decimalOf(step.rate)}};
}

QJsonObject lineOf(const DecisionNeuron &line)
{
    return {{QStringLiteral("weight1"), decimalOf(line.weight1)},
            {QStringLiteral("weight2"), decimalOf(line.weight2)},
            {QStringLiteral("bias"), line.bias},
            {QStringLiteral("biasWeight"), decimalOf(line.biasWeight)},
            {QStringLiteral("threshold"), decimalOf(line.threshold)},
            {QStringLiteral("output"), QLatin1String(outputNames[std::size_t(line.mode)])}};
}

QJsonObject textsOf(const LessonFile::Texts &texts)
{
    return {{QStringLiteral("input1"), texts.input1},       {QStringLiteral("input2"), texts.input2},
            {QStringLiteral("weight1"), texts.weight1},     {QStringLiteral("weight2"), texts.weight2},
            {QStringLiteral("weight0"), texts.weight0},     {QStringLiteral("output"), texts.output},
            {QStringLiteral("threshold"), texts.threshold}, {QStringLiteral("learningRate"), texts.learningRate},
            {QStringLiteral("repeat"), texts.repeat},       {QStringLiteral("counter"), texts.counter},
            {QStringLiteral("targets"), texts.targets}};
}

QJsonObject neuronOf(const SessionState &session)
{
    QJsonArray inputs;
    for (int i = 0; i < session.inputs; ++i)
        inputs.append(QJsonObject{{QStringLiteral("value"), decimalOf(session.values[std::size_t(i)])},
                                  {QStringLiteral("weight"), decimalOf(session.weights[std::size_t(i)])}});
    return {{QStringLiteral("inputs"), inputs},
            {QStringLiteral("threshold"), decimalOf(session.threshold)},
            {QStringLiteral("analogOutput"), session.analogOutput},
            {QStringLiteral("activationMode"), session.activationMode}};
}

QJsonValue orNull(bool present, const QJsonValue &value)
{
    return present ? value : QJsonValue();
}

} // namespace

QByteArray lessonToJson(const LessonFile &lesson)
{
    const SessionState &session = lesson.session;
    QJsonArray trail;
    for (const DecisionNeuron &line : lesson.trail)
        trail.append(lineOf(line));
    const QJsonObject root{
        {QStringLiteral("format"), formatName},
        {QStringLiteral("version"), LessonFile::version},
        {QStringLiteral("language"), QLatin1String(languageCodes[column(lesson.language)])},
        {QStringLiteral("languageChosen"),
         orNull(lesson.languageChosen.has_value(),
                lesson.languageChosen ? QLatin1String(languageCodes[column(*lesson.languageChosen)])
                                      : QLatin1String())},
        {QStringLiteral("boxes"),
         QJsonObject{{QStringLiteral("bias"), lesson.biasBox},
                     {QStringLiteral("sumInNeuron"), lesson.sumBox},
                     {QStringLiteral("sigmoid"), lesson.sigmoidBox},
                     {QStringLiteral("errorGraph"), lesson.graphBox}}},
        {QStringLiteral("texts"), textsOf(lesson.texts)},
        {QStringLiteral("buttons"),
         QJsonObject{{QStringLiteral("nextInput"), lesson.nextInputEnabled},
                     {QStringLiteral("lesson"), lesson.lessonEnabled}}},
        {QStringLiteral("neuron"), neuronOf(session)},
        {QStringLiteral("lesson"),
         QJsonObject{{QStringLiteral("gate"),
                      orNull(session.gate.has_value(),
                             session.gate ? QLatin1String(gateNames[*session.gate - 1]) : QLatin1String())},
                     {QStringLiteral("learningRate"), decimalOf(session.learningRate)},
                     {QStringLiteral("repeatsLeft"), qint64(session.repeatsLeft)},
                     {QStringLiteral("total"), qint64(session.lessonTotal)},
                     {QStringLiteral("patternIndex"), session.patternIndex}}},
        {QStringLiteral("views"),
         QJsonObject{{QStringLiteral("decision"), lesson.decisionOpen},
                     {QStringLiteral("workedStep"), lesson.workedStepOpen},
                     {QStringLiteral("presentedPattern"), lesson.presentedPattern},
                     {QStringLiteral("lastStep"),
                      orNull(lesson.lastStep.has_value(), lesson.lastStep ? stepOf(*lesson.lastStep) : QJsonObject())},
                     {QStringLiteral("trail"), trail}}},
        {QStringLiteral("chart"),
         QJsonObject{{QStringLiteral("axisMaximum"), decimalOf(lesson.axisMaximum)},
                     {QStringLiteral("points"), QString::fromLatin1(qCompress(lesson.chartPoints).toBase64())}}},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

// Reads the values one by one and keeps the first problem met; once there
// is one, nothing read is used.
class Reader {
public:
    std::optional<LessonFileProblem> problem;

    void fail(LessonFileProblem::Kind kind, const QString &where = {})
    {
        if (!problem)
            problem = LessonFileProblem{kind, where};
    }
    // A value of the right kind that no window could hold.
    void outOfRange(const QString &where) { fail(LessonFileProblem::Kind::OutOfRange, where); }

    QJsonValue value(const QJsonObject &parent, const QString &key)
    {
        const QJsonValue found = parent.value(key);
        if (found.isUndefined())
            fail(LessonFileProblem::Kind::Damaged);
        return found;
    }
    QJsonObject object(const QJsonObject &parent, const QString &key)
    {
        const QJsonValue found = value(parent, key);
        if (!found.isObject())
            fail(LessonFileProblem::Kind::Damaged);
        return found.toObject();
    }
    QJsonArray array(const QJsonObject &parent, const QString &key)
    {
        const QJsonValue found = value(parent, key);
        if (!found.isArray())
            fail(LessonFileProblem::Kind::Damaged);
        return found.toArray();
    }
    bool flag(const QJsonObject &parent, const QString &key)
    {
        const QJsonValue found = value(parent, key);
        if (!found.isBool())
            fail(LessonFileProblem::Kind::Damaged);
        return found.toBool();
    }
    int64_t integer(const QJsonObject &parent, const QString &key, int64_t least, int64_t most, const QString &where)
    {
        const QJsonValue found = value(parent, key);
        // A whole number comes back the same whatever default is asked for.
        const qint64 number = found.toInteger(std::numeric_limits<qint64>::min());
        if (!found.isDouble() || number != found.toInteger(std::numeric_limits<qint64>::max()))
            fail(LessonFileProblem::Kind::Damaged);
        else if (number < least || number > most)
            outOfRange(where);
        return number;
    }
    template <class Number>
    Number decimal(const QJsonValue &found, const QString &where)
    {
        if (!found.isString()) {
            fail(LessonFileProblem::Kind::Damaged);
            return 0;
        }
        const QByteArray text = found.toString().toLatin1();
        Number number = 0;
        const auto read = std::from_chars(text.data(), text.data() + text.size(), number);
        if (read.ec != std::errc() || read.ptr != text.data() + text.size() || !std::isfinite(number)) {
            outOfRange(where);
            return 0;
        }
        return number;
    }
    float number(const QJsonObject &parent, const QString &key, const QString &where)
    {
        return decimal<float>(value(parent, key), where);
    }
    QString text(const QJsonObject &parent, const QString &key, int longest, bool oneLine, const QString &where)
    {
        const QJsonValue found = value(parent, key);
        if (!found.isString())
            fail(LessonFileProblem::Kind::Damaged);
        const QString text = found.toString();
        const bool breaks = oneLine && (text.contains(u'\n') || text.contains(u'\r'));
        if (text.size() > longest || breaks || text.contains(QChar(0)))
            outOfRange(where);
        return text;
    }
    // The index of the name among `names`; -1 for null where `nullable`.
    template <std::size_t count>
    int choice(const QJsonObject &parent, const QString &key, const std::array<const char *, count> &names,
               bool nullable, const QString &where)
    {
        const QJsonValue found = value(parent, key);
        if (nullable && found.isNull())
            return -1;
        if (!found.isString()) {
            fail(LessonFileProblem::Kind::Damaged);
            return 0;
        }
        for (std::size_t i = 0; i < count; ++i)
            if (found.toString() == QLatin1String(names[i]))
                return int(i);
        outOfRange(where);
        return 0;
    }
    // Floats as many as the inputs, 2 or 3.
    std::array<float, 3> floats(const QJsonArray &array, const QString &where)
    {
        std::array<float, 3> values{};
        if (array.size() != 2 && array.size() != 3)
            outOfRange(where);
        for (qsizetype i = 0; i < array.size() && i < 3; ++i)
            values[std::size_t(i)] = decimal<float>(array.at(i), where);
        return values;
    }
};

LessonFile::Texts readTexts(Reader &read, const QJsonObject &texts)
{
    const auto edit = [&](const char *key) {
        const QString name = QString::fromLatin1(key);
        return read.text(texts, name, LessonFile::longestEditText, true, QStringLiteral("texts.") + name);
    };
    LessonFile::Texts out{edit("input1"),
                          edit("input2"),
                          edit("weight1"),
                          edit("weight2"),
                          edit("weight0"),
                          edit("output"),
                          edit("threshold"),
                          edit("learningRate"),
                          edit("repeat"),
                          edit("counter"),
                          {}};
    // The target list takes a pasted text too, within what a file holds;
    // but a plain text document gives some characters back as others (a
    // no-break space as a space, say): a text it would not keep as it is
    // was never the list's.
    out.targets = read.text(texts, QStringLiteral("targets"), 1 << 20, false, QStringLiteral("texts.targets"));
    QTextDocument list;
    list.setPlainText(out.targets);
    if (list.toPlainText() != out.targets)
        read.outOfRange(QStringLiteral("texts.targets"));
    return out;
}

SessionState readSession(Reader &read, const QJsonObject &neuron, const QJsonObject &lesson)
{
    SessionState session;
    const QJsonArray inputs = read.array(neuron, QStringLiteral("inputs"));
    if (inputs.size() != 2 && inputs.size() != 3)
        read.outOfRange(QStringLiteral("neuron.inputs"));
    session.inputs = int32_t(std::min<qsizetype>(inputs.size(), 3));
    for (qsizetype i = 0; i < inputs.size() && i < 3; ++i) {
        const QJsonObject input = inputs.at(i).toObject();
        const QString where = QStringLiteral("neuron.inputs[%1]").arg(i);
        session.values[std::size_t(i)] = read.number(input, QStringLiteral("value"), where);
        session.weights[std::size_t(i)] = read.number(input, QStringLiteral("weight"), where);
    }
    session.threshold = read.number(neuron, QStringLiteral("threshold"), QStringLiteral("neuron.threshold"));
    session.analogOutput = read.flag(neuron, QStringLiteral("analogOutput"));
    session.activationMode =
        uint8_t(read.integer(neuron, QStringLiteral("activationMode"), 0, 1, QStringLiteral("neuron.activationMode")));
    const int gate = read.choice(lesson, QStringLiteral("gate"), gateNames, true, QStringLiteral("lesson.gate"));
    if (gate >= 0)
        session.gate = Gate(gate + 1);
    session.learningRate = read.number(lesson, QStringLiteral("learningRate"), QStringLiteral("lesson.learningRate"));
    session.repeatsLeft = read.integer(lesson, QStringLiteral("repeatsLeft"), 0, std::numeric_limits<int64_t>::max(),
                                       QStringLiteral("lesson.repeatsLeft"));
    session.lessonTotal = read.integer(lesson, QStringLiteral("total"), std::numeric_limits<int64_t>::min(),
                                       std::numeric_limits<int64_t>::max(), QStringLiteral("lesson.total"));
    session.patternIndex =
        int32_t(read.integer(lesson, QStringLiteral("patternIndex"), 0, 4, QStringLiteral("lesson.patternIndex")));
    return session;
}

OutputKind readOutput(Reader &read, const QJsonObject &parent, const QString &where)
{
    return OutputKind(read.choice(parent, QStringLiteral("output"), outputNames, false, where));
}

WorkedStep readStep(Reader &read, const QJsonObject &step)
{
    const QString where = QStringLiteral("views.lastStep");
    WorkedStep out;
    out.pattern = int(read.integer(step, QStringLiteral("pattern"), 0, 4, where));
    out.target = read.number(step, QStringLiteral("target"), where);
    const QJsonArray values = read.array(step, QStringLiteral("values"));
    const QJsonArray weights = read.array(step, QStringLiteral("weights"));
    if (values.size() != weights.size())
        read.outOfRange(where);
    out.values = read.floats(values, where);
    out.weights = read.floats(weights, where);
    out.biasInput = values.size() == 3;
    out.threshold = read.number(step, QStringLiteral("threshold"), where);
    out.kind = readOutput(read, step, where);
    out.learns = read.flag(step, QStringLiteral("learns"));
    out.rate = read.number(step, QStringLiteral("rate"), where);
    return out;
}

std::vector<DecisionNeuron> readTrail(Reader &read, const QJsonArray &trail)
{
    const QString where = QStringLiteral("views.trail");
    if (trail.size() > qsizetype(DecisionView::trailLength))
        read.outOfRange(where);
    std::vector<DecisionNeuron> lines;
    for (const QJsonValue &each : trail) {
        const QJsonObject line = each.toObject();
        DecisionNeuron neuron;
        neuron.weight1 = read.number(line, QStringLiteral("weight1"), where);
        neuron.weight2 = read.number(line, QStringLiteral("weight2"), where);
        neuron.bias = read.flag(line, QStringLiteral("bias"));
        neuron.biasWeight = read.number(line, QStringLiteral("biasWeight"), where);
        neuron.threshold = read.number(line, QStringLiteral("threshold"), where);
        neuron.mode = readOutput(read, line, where);
        lines.push_back(neuron);
        if (lines.size() > DecisionView::trailLength)
            break;
    }
    return lines;
}

void readWindow(Reader &read, const QJsonObject &root, LessonFile &lesson)
{
    lesson.language =
        Language(read.choice(root, QStringLiteral("language"), languageCodes, false, QStringLiteral("language")));
    const int chosen =
        read.choice(root, QStringLiteral("languageChosen"), languageCodes, true, QStringLiteral("languageChosen"));
    if (chosen >= 0)
        lesson.languageChosen = Language(chosen);
    const QJsonObject boxes = read.object(root, QStringLiteral("boxes"));
    lesson.biasBox = read.flag(boxes, QStringLiteral("bias"));
    lesson.sumBox = read.flag(boxes, QStringLiteral("sumInNeuron"));
    lesson.sigmoidBox = read.flag(boxes, QStringLiteral("sigmoid"));
    lesson.graphBox = read.flag(boxes, QStringLiteral("errorGraph"));
    lesson.texts = readTexts(read, read.object(root, QStringLiteral("texts")));
    const QJsonObject buttons = read.object(root, QStringLiteral("buttons"));
    lesson.nextInputEnabled = read.flag(buttons, QStringLiteral("nextInput"));
    lesson.lessonEnabled = read.flag(buttons, QStringLiteral("lesson"));
}

void readViews(Reader &read, const QJsonObject &views, LessonFile &lesson)
{
    lesson.decisionOpen = read.flag(views, QStringLiteral("decision"));
    lesson.workedStepOpen = read.flag(views, QStringLiteral("workedStep"));
    lesson.presentedPattern = int32_t(
        read.integer(views, QStringLiteral("presentedPattern"), 0, 4, QStringLiteral("views.presentedPattern")));
    const QJsonValue step = read.value(views, QStringLiteral("lastStep"));
    if (step.isObject())
        lesson.lastStep = readStep(read, step.toObject());
    else if (!step.isNull())
        read.fail(LessonFileProblem::Kind::Damaged);
    lesson.trail = readTrail(read, read.array(views, QStringLiteral("trail")));
}

// The store's bytes, checked by the store itself; refused before a claimed
// size is ever allocated.
QByteArray readPoints(Reader &read, const QJsonObject &chart)
{
    const QJsonValue found = read.value(chart, QStringLiteral("points"));
    if (!found.isString()) {
        read.fail(LessonFileProblem::Kind::Damaged);
        return {};
    }
    const auto decoded =
        QByteArray::fromBase64Encoding(found.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray &packed = decoded.decoded;
    // qUncompress reads the size to allocate from the first four bytes.
    const qint64 claimed = packed.size() < 4 ? -1
                                             : (qint64(uchar(packed[0])) << 24 | qint64(uchar(packed[1])) << 16 |
                                                qint64(uchar(packed[2])) << 8 | qint64(uchar(packed[3])));
    if (!decoded || claimed < 0 || claimed > qint64(ErrorSeries::mostBytes()) + (1 << 20)) {
        read.fail(LessonFileProblem::Kind::Damaged);
        return {};
    }
    const QByteArray points = qUncompress(packed);
    ErrorSeries check;
    if (!check.restore(points))
        read.fail(LessonFileProblem::Kind::Damaged);
    return points;
}

} // namespace

std::variant<LessonFile, LessonFileProblem> lessonFromJson(const QByteArray &json)
{
    if (json.size() > LessonFile::mostBytes)
        return LessonFileProblem{LessonFileProblem::Kind::TooLarge, {}};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        // A lesson file cut short or broken still names its format.
        const bool named = json.contains(formatName.toLatin1());
        return LessonFileProblem{named ? LessonFileProblem::Kind::Damaged : LessonFileProblem::Kind::NotALesson, {}};
    }
    if (root.value(QStringLiteral("format")).toString() != formatName)
        return LessonFileProblem{LessonFileProblem::Kind::NotALesson, {}};
    Reader read;
    const int64_t version = read.integer(root, QStringLiteral("version"), 1, std::numeric_limits<int64_t>::max(),
                                         QStringLiteral("version"));
    if (read.problem)
        return LessonFileProblem{LessonFileProblem::Kind::Damaged, {}};
    if (version > LessonFile::version)
        return LessonFileProblem{LessonFileProblem::Kind::Newer, {}};

    LessonFile lesson;
    readWindow(read, root, lesson);
    lesson.session =
        readSession(read, read.object(root, QStringLiteral("neuron")), read.object(root, QStringLiteral("lesson")));
    if (!LessonSession::canHold(lesson.session))
        read.outOfRange(QStringLiteral("neuron"));
    // The bias box, its controls and the neuron's third input go together.
    if (lesson.session.inputs != (lesson.biasBox ? 3 : 2))
        read.outOfRange(QStringLiteral("neuron.inputs"));
    if (!lesson.biasBox && !lesson.texts.weight0.isEmpty())
        read.outOfRange(QStringLiteral("texts.weight0"));
    readViews(read, read.object(root, QStringLiteral("views")), lesson);
    const QJsonObject chart = read.object(root, QStringLiteral("chart"));
    lesson.axisMaximum =
        read.decimal<double>(read.value(chart, QStringLiteral("axisMaximum")), QStringLiteral("chart.axisMaximum"));
    if (lesson.axisMaximum < ErrorSeries::firstShownX)
        read.outOfRange(QStringLiteral("chart.axisMaximum"));
    lesson.chartPoints = readPoints(read, chart);
    if (read.problem)
        return *read.problem;
    return lesson;
}
