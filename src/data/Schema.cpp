#include "data/Schema.h"
#include <QRegularExpression>

namespace {

// Column lists in a compact form: "Name:Type" where Type is I (integer),
// C (counter), T<n> (text of n characters, T alone unlimited), M (money),
// D (date), B (yes/no), X (binary).
TableDef makeTable(const char *name, bool declared, const char *columns)
{
    TableDef t;
    t.name = QString::fromLatin1(name);
    t.declared = declared;
    for (const QString &item : QString::fromLatin1(columns).split(' ', Qt::SkipEmptyParts)) {
        const QString code = item.section(':', 1);
        ColumnDef c;
        c.name = item.section(':', 0, 0);
        switch (code.at(0).toLatin1()) {
        case 'I': c.type = FieldType::Integer; break;
        case 'C': c.type = FieldType::Counter; break;
        case 'T': c.type = FieldType::Text; c.width = code.mid(1).toInt(); break;
        case 'M': c.type = FieldType::Money; break;
        case 'D': c.type = FieldType::Date; break;
        case 'B': c.type = FieldType::Bool; break;
        case 'X': c.type = FieldType::Binary; break;
        }
        t.columns.push_back(c);
    }
    return t;
}

std::vector<TableDef> buildTables()
{
    std::vector<TableDef> t;
    t.push_back(makeTable("BazaSale", true,
        "IDBazaSale:I DateReg:D IDTown:I IDRaion:I IDStreet:I NameWater:T30 NameTel:T30 "
        "NameOtoplen:T30 NameMatHome:T30 NameWindow:T30 NameDoor:T30 NameMatPol:T30 "
        "NamePlanHome:T30 NamePlanRoom:T30 NameBathRoom:T30 NameValueKV:T30 NameBalkon:T30 "
        "NameType:T30 IDKlient:I IDSotrud:I Price:M PriceUSD:M PriceEUR:M LoginUser:T20 "
        "Home:T50 Level:I LevelOf:I Korpus:T10 KV:I YearBuild:I KolRoom:I S_Obsh:M S_Jil:M "
        "S_Kuh:M H_Potolok:M Lift:B Musoroprovod:B Osvobojdena:B DogNo1:T50 DogBegin1:D "
        "DogEnd1:D DogType1:T30 DogNo2:T50 DogBegin2:D DogEnd2:D DogType2:T30 info:T255 "
        "PriceRealt:M PriceUSDRealt:M PriceEURRealt:M"));
    t.push_back(makeTable("BazaSpros", true,
        "IDBazaSpros:I IDBazaSaleForObmen:I IDBazaSaleForContact:I DateReg:D NameWater:T30 "
        "Tel:B NameOtoplen:T30 NameMatHome:T30 NameWindow:T30 NameDoor:T30 NameMatPol:T30 "
        "NamePlanHome:T30 NamePlanRoom:T30 BathRoom:B NameValueKV:T30 Balkon:B NameType:T30 "
        "IDKlient:I IDSotrud:I Price:M PriceUSD:M PriceEUR:M LoginUser:T20 LevelMin:I "
        "LevelMax:I NotLevelLast:B YearBuild:I KolRoomMin:I KolRoomMax:I S_ObshMin:M "
        "S_ObshMax:M S_JilMin:M S_KuhMin:M H_PotolokMin:M Lift:B Musoroprovod:B Osvobojdena:B "
        "DogNo1:T50 DogBegin1:D DogEnd1:D DogType1:T30 DogNo2:T50 DogBegin2:D DogEnd2:D "
        "DogType2:T30 info:T255 NoVarRaspologen:B"));
    t.push_back(makeTable("BazaSprosVarMest", true,
        "IDBazaSprosVarMest:I IDBazaSpros:I DateReg:D IDTown:I IDRaion:I IDStreet:I info:T255"));
    t.push_back(makeTable("DopDocSale", false,
        "IDBazaSale:I NameDopDoc:T255 DateDopDoc:D TypeDopDoc:T10 DataDopDoc:X"));
    t.push_back(makeTable("DopDocSpros", false,
        "IDBazaSpros:I NameDopDoc:T255 DateDopDoc:D TypeDopDoc:T10 DataDopDoc:X"));
    t.push_back(makeTable("SprTown", true, "IDTown:I NameTown:T50 CodeOfKladr:T50"));
    t.push_back(makeTable("SprRaion", true, "IDRaion:I NameRaion:T50 IDTown:I InfoRaion:T200"));
    t.push_back(makeTable("SprStreet", true,
        "IDStreet:I NameStreet:T50 InfoStreet:T200 IDRaion:I IDTown:I CodeOfKladr:T50"));
    t.push_back(makeTable("SprKlient", true,
        "IDKlient:I NameKlient:T80 AdressKlient:T200 INNKlient:T12 PassportSer:T10 "
        "PassportNom:T10 PassportVidan:T150 TelKlient:T20 RSKlient:T20 BankKlient:T100 "
        "DirKlient:T80 KSKlient:T20 KPPKlient:T10 BikKlient:T10"));
    t.push_back(makeTable("SprSotrud", false,
        "IDSotrud:I NameSotrud:T80 INNSotrud:T12 AdressSotrud:T200 TelSotrud:T20 "
        "PassportSer:T10 PassportNom:T10 PassportVidan:T150 infoSotrud:T"));
    t.push_back(makeTable("Firm", true,
        "IDFirm:C INN:T12 KPP:T10 Name:T200 Nam:T30 RS:T20 Bank:T200 KS:T20 Bik:T9 "
        "FIOKass:T50 FIOBuh:T50 FIORuk:T50 Adress:T100 AdressUrid:T100 TEL:T20 "
        "PassportSer:T10 PassportNom:T10 PassportVidan:T150"));
    t.push_back(makeTable("SprUE", true, "IDUE:C UEDate:D Dollar:M EURO:M Tec:B"));
    for (const auto &list : Schema::attributeLists())
        t.push_back(makeTable(list.table.toLatin1().constData(), false,
                              (list.column + ":T30").toLatin1().constData()));
    return t;
}

} // namespace

const ColumnDef *TableDef::column(const QString &name) const
{
    for (const auto &c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

namespace Schema {

const std::vector<AttributeList> &attributeLists()
{
    static const std::vector<AttributeList> lists = {
        {"SprType", "NameType"},         {"SprTel", "NameTel"},
        {"SprWindow", "NameWindow"},     {"SprWater", "NameWater"},
        {"SprOtoplen", "NameOtoplen"},   {"SprMatHome", "NameMatHome"},
        {"SprDoor", "NameDoor"},         {"SprMatPol", "NameMatPol"},
        {"SprPlanHome", "NamePlanHome"}, {"SprPlanRoom", "NamePlanRoom"},
        {"SprBathRoom", "NameBathRoom"}, {"SprValueKV", "NameValueKV"},
        {"SprBalkon", "NameBalkon"},
    };
    return lists;
}

const std::vector<TableDef> &tables()
{
    static const std::vector<TableDef> all = buildTables();
    return all;
}

const TableDef *table(const QString &name)
{
    for (const auto &t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString sqlType(const ColumnDef &c)
{
    switch (c.type) {
    case FieldType::Integer: return QStringLiteral("INTEGER");
    case FieldType::Counter: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Text:
        return (c.width > 0 ? QStringLiteral("VARCHAR(%1)").arg(c.width) : QStringLiteral("TEXT"))
               + QStringLiteral(" COLLATE NOCASE");
    case FieldType::Money: return QStringLiteral("MONEY");
    case FieldType::Date: return QStringLiteral("DATE");
    case FieldType::Bool: return QStringLiteral("BOOLEAN");
    case FieldType::Binary: return QStringLiteral("BLOB");
    case FieldType::Lookup: break;
    }
    return QString();
}

FieldType typeFromSql(const QString &declType, int *width)
{
    const QString t = declType.trimmed().toUpper();
    if (width) *width = 0;
    if (t.startsWith("MONEY") || t.startsWith("CURRENCY")) return FieldType::Money;
    if (t.startsWith("DATE")) return FieldType::Date;
    if (t.startsWith("BOOL")) return FieldType::Bool;
    if (t.contains("BLOB")) return FieldType::Binary;
    if (t.contains("INT")) return FieldType::Integer;
    static const QRegularExpression widthRe(QStringLiteral("\\((\\d+)\\)"));
    if (width) {
        const auto m = widthRe.match(t);
        if (m.hasMatch()) *width = m.captured(1).toInt();
    }
    return FieldType::Text;
}

QStringList createIndexSql()
{
    return {
        QStringLiteral("CREATE INDEX IF NOT EXISTS BazaSprosForObmen ON BazaSpros (IDBazaSaleForObmen)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS BazaSprosVarMestLink ON BazaSprosVarMest (IDBazaSpros)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS DopDocSaleLink ON DopDocSale (IDBazaSale)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS DopDocSprosLink ON DopDocSpros (IDBazaSpros)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS BazaSaleKey ON BazaSale (IDBazaSale)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS BazaSprosKey ON BazaSpros (IDBazaSpros)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS BazaSprosVarMestKey ON BazaSprosVarMest (IDBazaSprosVarMest)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS SprTownKey ON SprTown (IDTown)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS SprRaionKey ON SprRaion (IDRaion)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS SprStreetKey ON SprStreet (IDStreet)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS SprKlientKey ON SprKlient (IDKlient)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS SprSotrudKey ON SprSotrud (IDSotrud)"),
    };
}

QDate zeroDate()
{
    return QDate(1899, 12, 30);
}

QString createTableSql(const TableDef &table)
{
    QStringList cols;
    for (const auto &c : table.columns) {
        QString def = c.name + ' ' + sqlType(c);
        // The file guards its own widths too, so no tool can store a text the program would refuse.
        if (c.type == FieldType::Text && c.width > 0)
            def += QStringLiteral(" CHECK(length(%1)<=%2)").arg(c.name).arg(c.width);
        cols << def;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, cols.join(QStringLiteral(", ")));
}

} // namespace Schema
