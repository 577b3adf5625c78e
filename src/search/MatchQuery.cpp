#include "search/MatchQuery.h"
#include "data/Dataset.h"
#include "data/Query.h"

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
