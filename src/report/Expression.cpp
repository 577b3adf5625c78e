#include "report/Expression.h"
#include <QRegularExpression>

struct CompiledText::Resolver {
    const ExpressionScope &scope;
    const DisplayFormat &format;

    // Resolves the inside of one bracket; false when the name means nothing.
    bool resolve(const QString &inner, Segment &s, int depth) const
    {
        const QString name = inner.trimmed();
        if (system(name, s) || constant(name, s)) return true;
        if (const Variables::Entry *v = scope.variables.find(name)) return variable(*v, s, depth);
        return qualifiedField(name, s) || field(scope.bandSource, name, s);
    }

    static bool system(const QString &name, Segment &s)
    {
        static const std::pair<const char *, Kind> names[] = {
            {"Date", Kind::Date}, {"Time", Kind::Time}, {"Line#", Kind::Line},
            {"Page#", Kind::Page}, {"TotalPages#", Kind::TotalPages}};
        for (const auto &[n, kind] : names)
            if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) {
                s.kind = kind;
                return true;
            }
        return false;
    }
    // 'text' with '' for a quote, or a number.
    bool constant(const QString &name, Segment &s) const
    {
        static const QRegularExpression number(QStringLiteral("^-?\\d+(?:[.,]\\d{1,4})?$"));
        if (name.size() >= 2 && name.startsWith(QLatin1Char('\'')) && name.endsWith(QLatin1Char('\''))) {
            const QString body = name.mid(1, name.size() - 2);
            if (body.count(QLatin1Char('\'')) != 2 * body.count(QStringLiteral("''"))) return false;
            s.literal = QString(body).replace(QStringLiteral("''"), QStringLiteral("'"));
            return true;
        }
        if (!number.match(name).hasMatch()) return false;
        QString digits = name;
        digits.replace(QLatin1Char(','), QLatin1Char('.'));
        const int point = int(digits.indexOf(QLatin1Char('.')));
        const int places = point < 0 ? 0 : int(digits.size()) - point - 1;
        digits.remove(QLatin1Char('.'));
        qint64 units = digits.toLongLong();
        for (int i = places; i < 4; ++i) units *= 10;
        s.literal = format.text(ReportFieldType::Decimal, QVariant::fromValue<qlonglong>(units));
        return true;
    }
    bool variable(const Variables::Entry &v, Segment &s, int depth) const
    {
        if (v.value.trimmed().isEmpty()) return true;   // an empty value prints nothing
        return depth < 8 && resolve(v.value, s, depth + 1);
    }
    // Source."Field" or Source.Field
    bool qualifiedField(const QString &name, Segment &s) const
    {
        const int dot = int(name.indexOf(QLatin1Char('.')));
        if (dot <= 0) return false;
        const QString sourceName = name.left(dot).trimmed();
        QString fieldName = name.mid(dot + 1).trimmed();
        if (fieldName.size() >= 2 && fieldName.startsWith(QLatin1Char('"')) && fieldName.endsWith(QLatin1Char('"')))
            fieldName = fieldName.mid(1, fieldName.size() - 2);
        return field(sourceIndex(scope.sources, sourceName), fieldName, s);
    }
    bool field(int source, const QString &name, Segment &s) const
    {
        if (source < 0) return false;
        const ReportSource *src = scope.sources[source];
        const int f = src->fieldIndex(name);
        if (f < 0) return false;
        s.kind = Kind::Field;
        s.source = source;
        s.field = f;
        s.type = src->fieldType(f);
        return true;
    }
};

// The closing bracket of the one opening at `open`, skipping quoted text; -1 if none.
static int closingBracket(const QString &text, int open)
{
    bool quoted = false;
    for (int i = open + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        else if (c == QLatin1Char(']') && !quoted) return i;
    }
    return -1;
}

CompiledText CompiledText::compile(const QString &text, const ExpressionScope &scope, const DisplayFormat &format,
                                   QStringList *notes)
{
    CompiledText c;
    c.m_format = format;
    const Resolver resolver{scope, c.m_format};
    auto addLiteral = [&c](const QString &t) {
        if (t.isEmpty()) return;
        if (!c.m_segments.empty() && c.m_segments.back().kind == Kind::Literal) c.m_segments.back().literal += t;
        else c.m_segments.push_back({Kind::Literal, t});
    };
    int pos = 0;
    while (pos < text.size()) {
        const int open = int(text.indexOf(QLatin1Char('['), pos));
        const int close = open < 0 ? -1 : closingBracket(text, open);
        if (close < 0) {
            addLiteral(text.mid(pos));
            break;
        }
        addLiteral(text.mid(pos, open - pos));
        const QString inner = text.mid(open + 1, close - open - 1);
        Segment s;
        if (!resolver.resolve(inner, s, 0)) {
            if (notes) notes->append(QStringLiteral("Неизвестное имя «%1»").arg(inner.trimmed()));
        } else if (s.kind == Kind::Literal) {
            addLiteral(s.literal);
        } else {
            c.m_pageNumbers |= s.kind == Kind::Page || s.kind == Kind::TotalPages;
            c.m_segments.push_back(s);
        }
        pos = close + 1;
    }
    return c;
}

void CompiledText::appendTo(const EvaluationState &st, QString &out) const
{
    for (const Segment &s : m_segments) {
        switch (s.kind) {
        case Kind::Literal: out += s.literal; break;
        case Kind::Field: {
            const ReportSource *src = st.sources[s.source];
            const int row = st.rows[s.source];
            if (row >= 0 && row < src->rowCount()) out += m_format.text(s.type, src->value(row, s.field));
            break;
        }
        case Kind::Date: out += m_format.text(ReportFieldType::Date, st.date); break;
        case Kind::Time: out += st.time.toString(QStringLiteral("HH:mm:ss")); break;
        case Kind::Line: out += QString::number(st.line); break;
        case Kind::Page: out += QChar(PageNumberMark); break;
        case Kind::TotalPages: out += QChar(TotalPagesMark); break;
        }
    }
}

QString CompiledText::evaluate(const EvaluationState &state) const
{
    QString out;
    appendTo(state, out);
    return out;
}

void CompiledText::collectFields(std::vector<std::vector<int>> &perSource) const
{
    for (const Segment &s : m_segments)
        if (s.kind == Kind::Field) perSource[s.source].push_back(s.field);
}
