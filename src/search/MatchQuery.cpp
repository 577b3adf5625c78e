#include "search/MatchQuery.h"
#include "data/Dataset.h"
#include "data/Query.h"
#include <QStringList>

namespace {

struct Fragments {
    const char *base;
    std::array<const char *, CriterionCount> criteria;
};

constexpr Fragments DemandFragments{
    "SELECT * FROM BazaSpros WHERE (NameType=:NameType)",
    {" and ((LevelMin<=:Level) and (LevelMax>=:Level))",
     " and ((KolRoomMin<=:KolRoom) and (KolRoomMax>=:KolRoom))",
     " and ((S_ObshMin<=:S_Obsh) and (S_ObshMax>=:S_Obsh))",
     " and (S_JilMin<=:S_Jil)",
     " and (S_KuhMin<=:S_Kuh)",
     " and (H_PotolokMin<=:H_Potolok)"}};

constexpr Fragments OfferFragments{
    "SELECT * FROM BazaSale WHERE (NameType=:NameType)",
    {" and ((Level>=:LevelMin) and (Level<=:LevelMax))",
     " and ((KolRoom>=:KolRoomMin) and (KolRoom<=:KolRoomMax))",
     " and ((S_Obsh>=:S_ObshMin) and (S_Obsh<=:S_ObshMax))",
     " and (S_Jil>=:S_JilMin)",
     " and (S_Kuh>=:S_KuhMin)",
     " and (H_Potolok>=:H_PotolokMin)"}};

// What a criterion compares: the offer's value and the demand's bounds (hi empty: a lower bound only).
struct Compared { const char *value, *lo, *hi; bool money; };
constexpr std::array<Compared, CriterionCount> ComparedFields{{
    {"Level", "LevelMin", "LevelMax", false},
    {"KolRoom", "KolRoomMin", "KolRoomMax", false},
    {"S_Obsh", "S_ObshMin", "S_ObshMax", true},
    {"S_Jil", "S_JilMin", nullptr, true},
    {"S_Kuh", "S_KuhMin", nullptr, true},
    {"H_Potolok", "H_PotolokMin", nullptr, true},
}};

// A field as text in SQL: the starting request's as its parameter, the found row's as its column.
QString shown(const char *field, bool money, bool fromStart)
{
    const QString name = fromStart ? QLatin1Char(':') + QLatin1String(field) : QLatin1String(field);
    const QString text = money ? QStringLiteral("replace(printf('%g', %1 / 10000.0), '.', ',')").arg(name) : name;
    return QStringLiteral("CASE WHEN %1 IS NULL THEN 'нет' ELSE %2 END").arg(name, text);
}

QString missText(MatchDirection direction, int criterion)
{
    const Compared &c = ComparedFields[size_t(criterion)];
    const bool offerIsStart = direction == MatchDirection::DemandsForOffer;
    QString bounds = c.hi ? shown(c.lo, c.money, !offerIsStart) + QStringLiteral(" || '–' || ") + shown(c.hi, c.money, !offerIsStart)
                          : QStringLiteral("'от ' || ") + shown(c.lo, c.money, !offerIsStart);
    return QStringLiteral("'%1: ' || %2 || ', нужно ' || %3")
        .arg(criterionTitles()[size_t(criterion)], shown(c.value, c.money, offerIsStart), bounds);
}

// The fragment as a condition that holds when it fails, a missing value included.
QString failed(const char *fragment)
{
    return QStringLiteral("(NOT coalesce(%1, 0))").arg(QLatin1String(fragment).mid(5));   // without " and "
}

enum class ParamKind { Text, Whole, Decimal };

ParamKind kindOf(const QString &name)
{
    if (name == QLatin1String("NameType")) return ParamKind::Text;
    if (name.startsWith(QLatin1String("S_")) || name.startsWith(QLatin1String("H_"))) return ParamKind::Decimal;
    return ParamKind::Whole;   // Level…, KolRoom…
}

} // namespace

const std::array<QString, CriterionCount> &criterionTitles()
{
    static const std::array<QString, CriterionCount> titles{
        QStringLiteral("Этаж"), QStringLiteral("Количество комнат"), QStringLiteral("Площадь (Общая)"),
        QStringLiteral("Площадь (Жилая)"), QStringLiteral("Площадь (Кухни)"), QStringLiteral("Высота потолков")};
    return titles;
}

QString matchSql(MatchDirection direction, const Criteria &ticked)
{
    const Fragments &f = direction == MatchDirection::DemandsForOffer ? DemandFragments : OfferFragments;
    QString sql = QString::fromLatin1(f.base);
    for (int i = 0; i < CriterionCount; ++i)
        if (ticked[size_t(i)]) sql += QLatin1String(f.criteria[size_t(i)]);
    return sql;
}

void bindMatchParams(SqlText &sql, Dataset &start)
{
    for (const QString &name : sql.paramNames()) {
        const Field field = start.fieldByName(name);
        switch (kindOf(name)) {
        case ParamKind::Text: sql.setParam(name, field.asString()); break;
        case ParamKind::Whole: sql.setParam(name, QVariant::fromValue<qlonglong>(field.asInteger())); break;
        case ParamKind::Decimal: sql.setParam(name, QVariant::fromValue(field.asMoney())); break;
        }
    }
}

QString nearSql(MatchDirection direction, const Criteria &ticked)
{
    const Fragments &f = direction == MatchDirection::DemandsForOffer ? DemandFragments : OfferFragments;
    const QString exact = matchSql(direction, ticked).replace(QLatin1String("SELECT * "), QLatin1String("SELECT *, '' AS Miss "));
    QStringList fails, texts;
    for (int i = 0; i < CriterionCount; ++i) {
        if (!ticked[size_t(i)]) continue;
        fails << failed(f.criteria[size_t(i)]);
        texts << QStringLiteral("WHEN %1 THEN %2").arg(fails.last(), missText(direction, i));
    }
    if (fails.isEmpty()) return exact;
    const QString base = QString::fromLatin1(f.base);
    return exact + QStringLiteral(" UNION ALL SELECT *, CASE %1 END AS Miss FROM %2 AND (%3 = 1)")
                       .arg(texts.join(' '), base.mid(base.indexOf(QLatin1String("FROM ")) + 5), fails.join(QLatin1String(" + ")));
}
