#include "tools/DemoData.h"
#include "data/Money.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "tools/DeliveredDatabase.h"
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <random>

DemoSizes DemoSizes::forCount(int n)
{
    DemoSizes s;
    s.offers = n;
    s.demands = n;
    s.clients = n / 5;
    return s;
}

namespace {

// Plain modulo over mt19937 instead of the std distributions: those differ
// between standard libraries, and a seed must give the same data everywhere.
// Every draw is a statement of its own, since the order in which function
// arguments are evaluated is unspecified.
class Random {
public:
    explicit Random(uint32_t seed) : m_gen(seed) {}
    int between(int lo, int hi) { return lo + int(m_gen() % uint32_t(hi - lo + 1)); }
    bool chance(int percent) { return between(0, 99) < percent; }
    const QString &pick(const QStringList &list) { return list.at(between(0, int(list.size()) - 1)); }
    QString digits(int count)
    {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar('0' + between(0, 9));
        return s;
    }
    // Up to n different items in a random order.
    QStringList distinct(QStringList list, int n)
    {
        n = std::min(n, int(list.size()));
        for (int i = 0; i < n; ++i)
            list.swapItemsAt(i, between(i, int(list.size()) - 1));
        return list.mid(0, n);
    }

private:
    std::mt19937 m_gen;
};

// One prepared insert reused for every row of a table. Each row starts with
// every column empty, so no value leaks from the previous row.
class Inserter {
public:
    Inserter(Connection &connection, const QString &table)
        : m_columns(columnsOf(table)),
          m_command(connection, QStringLiteral("INSERT INTO %1 (%2) VALUES (:%3)")
                                    .arg(table, m_columns.join(", "), m_columns.join(", :")))
    {
        clear();
    }
    Inserter &set(const QString &column, const QVariant &value)
    {
        m_command.setParam(column, value);
        return *this;
    }
    void insert()
    {
        m_command.execute();
        ++m_rows;
        clear();
    }
    int rows() const { return m_rows; }

private:
    static QStringList columnsOf(const QString &table)
    {
        QStringList names;
        for (const ColumnDef &c : Schema::table(table)->columns)
            if (c.type != FieldType::Counter)
                names << c.name;
        return names;
    }
    void clear()
    {
        for (const QString &c : m_columns)
            m_command.setParam(c, QVariant());
    }

    QStringList m_columns;
    Command m_command;
    int m_rows = 0;
};

QVariant number(qlonglong v) { return QVariant::fromValue(v); }
QVariant money(Money m) { return QVariant::fromValue(m); }
// Areas are drawn in tenths of a square metre.
QVariant area(int tenths) { return money(Money::fromUnits(int64_t(tenths) * 1000)); }
QVariant textOrNull(const QString &s) { return s.isEmpty() ? QVariant() : QVariant(s); }
int64_t roundTo(int64_t value, int64_t step) { return (value + step / 2) / step * step; }

const QStringList TownNames = {
    "Самара", "Тольятти", "Сызрань", "Новокуйбышевск", "Чапаевск", "Жигулевск", "Отрадный",
    "Кинель", "Похвистнево", "Октябрьск", "Нефтегорск", "Ульяновск", "Димитровград",
    "Саратов", "Пенза", "Оренбург", "Бузулук", "Казань", "Набережные Челны", "Уфа"};
const QStringList DistrictNames = {
    "Центральный", "Ленинский", "Октябрьский", "Советский", "Кировский", "Промышленный",
    "Железнодорожный", "Самарский", "Красноглинский", "Куйбышевский", "Автозаводский",
    "Комсомольский", "Северный", "Южный", "Заречный"};
const QStringList DistrictInfo = {
    "Развитая инфраструктура", "Рядом парк и набережная", "Новые жилые комплексы",
    "Старый фонд, тихие улицы", "Промышленная зона рядом", "Хорошая транспортная доступность"};
const QStringList StreetNames = {
    "ул. Ленина", "ул. Мира", "ул. Гагарина", "ул. Победы", "пр. Кирова", "ул. Садовая",
    "ул. Молодежная", "ул. Советская", "ул. Московская", "ул. Школьная", "ул. Лесная",
    "ул. Новая", "ул. Полевая", "ул. Пушкина", "ул. Чапаева", "ул. Фрунзе", "ул. Куйбышева",
    "ул. Степана Разина", "ул. Революционная", "ул. Ново-Садовая", "ул. Луначарского",
    "ул. Дачная", "ул. Заводская", "ул. Строителей", "ул. Энтузиастов", "ул. Юбилейная",
    "ул. Комсомольская", "ул. Некрасовская", "ул. Галактионовская", "ул. Молодогвардейская",
    "пр. Ленина", "пр. Металлургов", "ул. Солнечная", "ул. Майская", "ул. Свободы",
    "ул. Жукова", "ул. Белорусская", "ул. Горького", "ул. Лермонтова", "ул. Толстого"};
const QStringList Surnames = {
    "Иванов", "Петров", "Смирнов", "Кузнецов", "Попов", "Васильев", "Соколов", "Михайлов",
    "Новиков", "Федоров", "Морозов", "Волков", "Алексеев", "Лебедев", "Семенов", "Егоров",
    "Павлов", "Козлов", "Степанов", "Николаев", "Орлов", "Андреев", "Макаров", "Никитин",
    "Захаров", "Зайцев", "Соловьев", "Борисов", "Яковлев", "Григорьев", "Романов",
    "Воробьев", "Сергеев", "Фролов", "Александров", "Дмитриев", "Королев", "Гусев",
    "Киселев", "Ильин", "Максимов", "Поляков", "Сорокин", "Виноградов", "Ковалев", "Белов",
    "Медведев", "Антонов", "Тарасов", "Жуков"};
const QStringList MaleNames = {
    "Александр", "Алексей", "Андрей", "Антон", "Артем", "Борис", "Вадим", "Валерий", "Виктор",
    "Владимир", "Дмитрий", "Евгений", "Иван", "Игорь", "Константин", "Максим", "Михаил",
    "Николай", "Олег", "Павел", "Роман", "Сергей", "Юрий"};
const QStringList FemaleNames = {
    "Анна", "Валентина", "Виктория", "Галина", "Дарья", "Екатерина", "Елена", "Ирина",
    "Людмила", "Марина", "Мария", "Наталья", "Нина", "Ольга", "Светлана", "Татьяна", "Юлия",
    "Оксана", "Надежда"};
// Paired by position: the same father gives either form.
const QStringList MalePatronymics = {
    "Александрович", "Алексеевич", "Андреевич", "Борисович", "Викторович", "Владимирович",
    "Дмитриевич", "Евгеньевич", "Иванович", "Игоревич", "Михайлович", "Николаевич",
    "Олегович", "Павлович", "Петрович", "Сергеевич", "Юрьевич"};
const QStringList FemalePatronymics = {
    "Александровна", "Алексеевна", "Андреевна", "Борисовна", "Викторовна", "Владимировна",
    "Дмитриевна", "Евгеньевна", "Ивановна", "Игоревна", "Михайловна", "Николаевна",
    "Олеговна", "Павловна", "Петровна", "Сергеевна", "Юрьевна"};
const QStringList CompanyNames = {
    "Волга", "Жигули", "Стройинвест", "Меридиан", "Альянс", "Вектор", "Гранит", "Континент",
    "Партнер", "Прогресс", "Радуга", "Сфера", "Технострой", "Факел", "Поволжье"};
const QStringList Banks = {
    "Поволжский банк ПАО Сбербанк", "Банк ВТБ (ПАО)", "АО \"Альфа-Банк\"",
    "АО \"Газпромбанк\"", "ПАО \"Промсвязьбанк\"", "АО \"Россельхозбанк\""};
const QStringList MobileCodes = {"927", "917", "937", "902", "904", "960", "987"};
const QStringList Positions = {
    "Агент по недвижимости", "Старший агент", "Юрист", "Менеджер по аренде",
    "Руководитель отдела продаж", "Ипотечный брокер"};
const QStringList OfferContracts = {"Эксклюзивный", "Неэксклюзивный", "Договор на оказание услуг"};
const QStringList DemandContracts = {"Договор на поиск объекта", "Договор на оказание услуг"};
const QStringList OfferNotes = {
    "Срочная продажа", "Чистая продажа", "Возможна ипотека", "Рядом школа и детский сад",
    "Сделан ремонт", "Тихий двор", "Вид на Волгу", "Подходит под материнский капитал",
    "Торг уместен", "Один собственник", "Документы готовы", "Рядом остановка",
    "Парковка во дворе", "Встроенная кухня"};
const QStringList DemandNotes = {
    "Рассмотрю варианты с ремонтом", "Наличный расчет", "Ипотека одобрена",
    "Материнский капитал", "Рядом с работой", "Не первый этаж", "Срочно",
    "Обмен с доплатой", "Нужен показ в выходные"};
const QStringList PlaceNotes = {"Ближе к центру", "Рядом с парком", "Не у дороги", "Рядом школа"};

enum class Kind { Flat, House, Plot, Garage };

Kind kindOf(const QString &type)
{
    if (type == "Дом" || type == "Дача") return Kind::House;
    if (type == "Участок") return Kind::Plot;
    if (type == "Гараж") return Kind::Garage;
    return Kind::Flat;   // also rooms and offices
}

// A plot has no floors or windows, a garage no kitchen: those words stay empty.
bool describes(Kind kind, const QString &listTable)
{
    switch (kind) {
    case Kind::Flat: return true;
    case Kind::House: return listTable != "SprPlanHome";
    case Kind::Plot: return listTable == "SprType" || listTable == "SprWater";
    case Kind::Garage: return listTable == "SprType" || listTable == "SprMatHome" || listTable == "SprDoor";
    }
    return false;
}

// The years a kind of building was built in, so the plan and the year agree.
std::pair<int, int> buildYears(const QString &planHome)
{
    if (planHome == "Сталинка") return {1935, 1957};
    if (planHome == "Хрущевка") return {1958, 1970};
    if (planHome == "Брежневка") return {1970, 1985};
    if (planHome == "Улучшенная") return {1980, 1998};
    if (planHome == "Новостройка") return {2005, 2026};
    return {1955, 2025};
}

struct Street { int id, district, town; QString name; };
struct Rate { Money dollar, euro; };

class Generator {
public:
    Generator(Connection &connection, const DemoSizes &sizes)
        : m_connection(connection), m_sizes(sizes), m_random(sizes.seed)
    {
        m_sizes.towns = std::clamp(m_sizes.towns, 1, int(TownNames.size()));
        m_sizes.districtsPerTown = std::clamp(m_sizes.districtsPerTown, 1, int(DistrictNames.size()));
        m_sizes.streetsPerDistrict = std::max(m_sizes.streetsPerDistrict, 1);
        m_sizes.employees = std::max(m_sizes.employees, 1);
        m_sizes.rateDays = std::max(m_sizes.rateDays, 1);
        // Every offer and demand names a client.
        if (m_sizes.offers > 0 || m_sizes.demands > 0)
            m_sizes.clients = std::max(m_sizes.clients, 1);
        m_firstDay = Demo::lastDay().addDays(1 - m_sizes.rateDays);
    }

    DemoCounts run()
    {
        places();
        employees();
        clients();
        firm();
        rates();
        offers();
        demands();
        return m_counts;
    }

private:
    QString personName(bool female)
    {
        const QString surname = m_random.pick(Surnames);
        const QString first = m_random.pick(female ? FemaleNames : MaleNames);
        const int father = m_random.between(0, int(MalePatronymics.size()) - 1);
        return QStringLiteral("%1%2 %3 %4").arg(surname, female ? "а" : "", first,
                                               (female ? FemalePatronymics : MalePatronymics).at(father));
    }
    QString personName() { return personName(m_random.chance(50)); }

    QString phone()
    {
        const QString code = m_random.pick(MobileCodes);
        const QString number = m_random.digits(7);
        return QStringLiteral("+7 (%1) %2-%3-%4").arg(code, number.left(3), number.mid(3, 2), number.mid(5));
    }

    QString address()
    {
        const Street &street = m_streets.at(m_random.between(0, int(m_streets.size()) - 1));
        const int house = m_random.between(1, 150);
        const int flat = m_random.between(1, 200);
        return QStringLiteral("г. %1, %2, д. %3, кв. %4")
            .arg(TownNames.at(street.town - 1), street.name).arg(house).arg(flat);
    }

    struct Passport { QString series, number, issued; };
    Passport passport(int town)
    {
        Passport p;
        const QString region = m_random.digits(2);
        const int year = m_random.between(0, 24);
        p.series = QStringLiteral("%1 %2").arg(region).arg(year, 2, 10, QChar('0'));
        p.number = m_random.digits(6);
        const QDate day = QDate(2000 + year, 1, 1).addDays(m_random.between(0, 364));
        p.issued = QStringLiteral("Отделом УФМС России в г. %1, %2")
                       .arg(TownNames.at(town - 1), day.toString("dd.MM.yyyy"));
        return p;
    }

    QString infoText(const QStringList &notes, int most)
    {
        const int n = m_random.between(0, most);
        return m_random.distinct(notes, n).join(". ");
    }

    QDate registrationDay() { return m_firstDay.addDays(m_random.between(0, m_sizes.rateDays - 1)); }
    QDate contractEnd(const QDate &begin)
    {
        return std::min(begin.addDays(m_random.between(90, 365)), Demo::lastDay());
    }
    const Rate &rateOn(const QDate &day) const { return m_rates.at(m_firstDay.daysTo(day)); }

    void count(const QString &table, int rows) { m_counts.emplace_back(table, rows); }

    void places()
    {
        Inserter towns(m_connection, "SprTown");
        Inserter districts(m_connection, "SprRaion");
        Inserter streets(m_connection, "SprStreet");
        for (int town = 1; town <= m_sizes.towns; ++town) {
            towns.set("IDTown", number(town))
                .set("NameTown", TownNames.at(town - 1))
                .set("CodeOfKladr", QStringLiteral("63000%1000000").arg(town, 3, 10, QChar('0')));
            towns.insert();
            const QStringList districtNames = m_random.distinct(DistrictNames, m_sizes.districtsPerTown);
            // Streets differ within a town as far as the list allows.
            QStringList streetNames = m_random.distinct(StreetNames, int(StreetNames.size()));
            int streetInTown = 0;
            for (const QString &districtName : districtNames) {
                const int district = districts.rows() + 1;
                const QString info = m_random.pick(DistrictInfo);
                districts.set("IDRaion", number(district))
                    .set("NameRaion", districtName)
                    .set("IDTown", number(town))
                    .set("InfoRaion", info);
                districts.insert();
                for (int i = 0; i < m_sizes.streetsPerDistrict; ++i, ++streetInTown) {
                    const Street s{streets.rows() + 1, district, town,
                                   streetNames.at(streetInTown % streetNames.size())};
                    streets.set("IDStreet", number(s.id))
                        .set("NameStreet", s.name)
                        .set("IDRaion", number(district))
                        .set("IDTown", number(town))
                        .set("CodeOfKladr", QStringLiteral("63000%1000%2000")
                                                .arg(town, 3, 10, QChar('0'))
                                                .arg(streetInTown + 1, 4, 10, QChar('0')));
                    streets.insert();
                    m_streets.push_back(s);
                }
            }
        }
        count("SprTown", towns.rows());
        count("SprRaion", districts.rows());
        count("SprStreet", streets.rows());
    }

    void employees()
    {
        Inserter row(m_connection, "SprSotrud");
        for (int id = 1; id <= m_sizes.employees; ++id) {
            const QString name = personName();
            const QString inn = m_random.digits(12);
            const QString where = address();
            const QString tel = phone();
            const Passport p = passport(1);
            const QString position = m_random.pick(Positions);
            row.set("IDSotrud", number(id)).set("NameSotrud", name).set("INNSotrud", inn)
                .set("AdressSotrud", where).set("TelSotrud", tel).set("PassportSer", p.series)
                .set("PassportNom", p.number).set("PassportVidan", p.issued)
                .set("infoSotrud", position);
            row.insert();
            m_logins << QStringLiteral("agent%1").arg(id, 2, 10, QChar('0'));
        }
        count("SprSotrud", row.rows());
    }

    void clients()
    {
        Inserter row(m_connection, "SprKlient");
        for (int id = 1; id <= m_sizes.clients; ++id) {
            row.set("IDKlient", number(id));
            if (m_random.chance(15)) {
                const QString form = m_random.chance(80) ? "ООО" : "АО";
                const QString company = m_random.pick(CompanyNames);
                const QString inn = m_random.digits(10);
                const QString kpp = m_random.digits(5);
                const QString rs = m_random.digits(12);
                const QString bank = m_random.pick(Banks);
                const QString ks = m_random.digits(12);
                const QString bik = m_random.digits(5);
                const QString director = personName();
                row.set("NameKlient", QStringLiteral("%1 \"%2\"").arg(form, company))
                    .set("INNKlient", inn).set("KPPKlient", "6316" + kpp)
                    .set("RSKlient", "40702810" + rs).set("BankKlient", bank)
                    .set("KSKlient", "30101810" + ks).set("BikKlient", "0436" + bik)
                    .set("DirKlient", director);
            } else {
                const QString name = personName();
                const QString inn = m_random.digits(12);
                const Passport p = passport(m_random.between(1, m_sizes.towns));
                row.set("NameKlient", name).set("INNKlient", inn).set("PassportSer", p.series)
                    .set("PassportNom", p.number).set("PassportVidan", p.issued);
                if (m_random.chance(30)) {
                    const QString rs = m_random.digits(12);
                    const QString bank = m_random.pick(Banks);
                    row.set("RSKlient", "40817810" + rs).set("BankKlient", bank);
                }
            }
            const QString where = address();
            const QString tel = phone();
            row.set("AdressKlient", where).set("TelKlient", tel);
            row.insert();
        }
        count("SprKlient", row.rows());
    }

    // The delivered row keeps its names; the demo adds the agency's details.
    void firm()
    {
        Command update(m_connection, QStringLiteral(
            "UPDATE Firm SET INN = :INN, KPP = :KPP, RS = :RS, Bank = :Bank, KS = :KS, Bik = :Bik, "
            "FIOKass = :FIOKass, FIOBuh = :FIOBuh, FIORuk = :FIORuk, Adress = :Adress, "
            "AdressUrid = :AdressUrid, TEL = :TEL, PassportSer = :PassportSer, "
            "PassportNom = :PassportNom, PassportVidan = :PassportVidan"));
        const QString inn = m_random.digits(6);
        const QString rs = m_random.digits(12);
        const QString ks = m_random.digits(12);
        const QString bik = m_random.digits(5);
        const QString cashier = personName(true);
        const QString accountant = personName(true);
        const QString head = personName(false);
        const QString tel = m_random.digits(4);
        const Passport p = passport(1);
        update.setParam("INN", "6316" + inn);
        update.setParam("KPP", "631601001");
        update.setParam("RS", "40702810" + rs);
        update.setParam("Bank", Banks.at(0));
        update.setParam("KS", "30101810" + ks);
        update.setParam("Bik", "0436" + bik);
        update.setParam("FIOKass", cashier);
        update.setParam("FIOBuh", accountant);
        update.setParam("FIORuk", head);
        update.setParam("Adress", QStringLiteral("г. Самара, ул. Молодогвардейская, д. 204, оф. 12"));
        update.setParam("AdressUrid", QStringLiteral("г. Самара, ул. Молодогвардейская, д. 204"));
        update.setParam("TEL", QStringLiteral("8 (846) 270-%1-%2").arg(tel.left(2), tel.mid(2)));
        update.setParam("PassportSer", p.series);
        update.setParam("PassportNom", p.number);
        update.setParam("PassportVidan", p.issued);
        update.execute();
    }

    // Daily rates as a bounded random walk, the last day marked as current.
    void rates()
    {
        Inserter row(m_connection, "SprUE");
        int64_t dollar = 95 * Money::Scale, euro = 105 * Money::Scale;
        for (int day = 0; day < m_sizes.rateDays; ++day) {
            const int dollarStep = m_random.between(-3000, 3000);
            const int euroStep = m_random.between(-3000, 3000);
            dollar = std::clamp<int64_t>(dollar + dollarStep, 90 * Money::Scale, 100 * Money::Scale);
            euro = std::clamp<int64_t>(euro + euroStep, 100 * Money::Scale, 110 * Money::Scale);
            const Rate rate{Money::fromUnits(dollar), Money::fromUnits(euro)};
            m_rates.push_back(rate);
            row.set("UEDate", m_firstDay.addDays(day)).set("Dollar", money(rate.dollar))
                .set("EURO", money(rate.euro)).set("Tec", day == m_sizes.rateDays - 1);
            row.insert();
        }
        count("SprUE", row.rows());
    }

    QString objectType(bool forDemand)
    {
        const int roll = m_random.between(0, 99);
        if (roll < 58) return "Квартира";
        if (roll < 70) return "Комната";
        if (roll < 82) return "Дом";
        if (roll < 88) return "Дача";
        if (roll < 94) return "Участок";
        if (forDemand) return "Квартира";
        return roll < 97 ? "Гараж" : "Офис";
    }

    // Roubles per square metre: dearest in the regional capital.
    int64_t pricePerMetre(int town, Kind kind)
    {
        int64_t base = town == 1 ? 120000 : town == 2 ? 85000 : 60000;
        if (kind == Kind::House)
            base = base * 6 / 10;
        return base * m_random.between(80, 125) / 100;
    }

    void setPrices(Inserter &row, const QString &prefix, int64_t price, const Rate &rate)
    {
        const Money roubles = Money::fromInteger(price);
        row.set("Price" + prefix, money(roubles))
            .set("PriceUSD" + prefix, money(roubles / rate.dollar))
            .set("PriceEUR" + prefix, money(roubles / rate.euro));
    }

    void offers()
    {
        Inserter row(m_connection, "BazaSale");
        for (int id = 1; id <= m_sizes.offers; ++id) {
            const Street &street = m_streets.at(m_random.between(0, int(m_streets.size()) - 1));
            const QDate reg = registrationDay();
            const int client = m_random.between(1, m_sizes.clients);
            const int employee = m_random.between(1, m_sizes.employees);
            const QString type = objectType(false);
            const Kind kind = kindOf(type);
            m_offerClients.push_back(client);
            row.set("IDBazaSale", number(id)).set("DateReg", reg)
                .set("IDTown", number(street.town)).set("IDRaion", number(street.district))
                .set("IDStreet", number(street.id)).set("IDKlient", number(client))
                .set("IDSotrud", number(employee)).set("LoginUser", m_logins.at(employee - 1));

            QString planHome;
            for (const auto &list : Schema::attributeLists()) {
                if (!describes(kind, list.table))
                    continue;
                const QString word = list.table == "SprType" ? type : m_random.pick(Delivered::starterWords(list.table));
                row.set(list.column, word);
                if (list.table == "SprPlanHome")
                    planHome = word;
            }

            const int house = m_random.between(1, 150);
            const bool letter = m_random.chance(10);
            const QString houseLetter = m_random.pick({"А", "Б", "В"});
            row.set("Home", QString::number(house) + (letter ? houseLetter : QString()));
            if (m_random.chance(15)) {
                const int korpus = m_random.between(1, 4);
                row.set("Korpus", QString::number(korpus));
            }

            int64_t price = 0;
            if (kind == Kind::Flat || kind == Kind::House) {
                const bool flat = kind == Kind::Flat;
                const bool room = type == "Комната";
                int rooms = 1;
                if (!flat) {
                    rooms = m_random.between(2, 6);
                } else if (!room) {
                    const int roll = m_random.between(0, 99);
                    rooms = roll < 30 ? 1 : roll < 65 ? 2 : roll < 90 ? 3 : 4;
                }
                static const int floorsChoice[] = {5, 5, 9, 9, 10, 12, 14, 16, 17, 25};
                const int levelOf = flat ? floorsChoice[m_random.between(0, 9)] : m_random.between(1, 3);
                const int level = flat ? m_random.between(1, levelOf) : 1;
                const int obsh = room ? m_random.between(140, 250)
                                 : flat ? (18 + 14 * rooms) * 10 + m_random.between(0, 150)
                                        : m_random.between(400, 2500);
                const int jil = obsh * m_random.between(room ? 70 : 55, room ? 85 : 70) / 100;
                const int kuh = std::min(m_random.between(room ? 50 : 60, room ? 80 : 200), jil - 10);
                const int height = m_random.between(250, 320);
                const auto [fromYear, toYear] = buildYears(planHome);
                const int year = m_random.between(fromYear, toYear);
                const bool musor = m_random.chance(70);
                const int kv = m_random.between(1, levelOf * 12);
                row.set("KolRoom", number(rooms)).set("Level", number(level))
                    .set("LevelOf", number(levelOf)).set("S_Obsh", area(obsh))
                    .set("S_Jil", area(jil)).set("S_Kuh", area(kuh))
                    .set("H_Potolok", money(Money::fromUnits(int64_t(height) * 100)))
                    .set("YearBuild", number(year)).set("Lift", flat && levelOf >= 6)
                    .set("Musoroprovod", flat && levelOf >= 9 && musor);
                if (flat)
                    row.set("KV", number(kv));
                price = roundTo(int64_t(obsh) * pricePerMetre(street.town, kind) / 10, 10000);
            } else if (kind == Kind::Plot) {
                const int obsh = m_random.between(4000, 15000);
                row.set("S_Obsh", area(obsh));
                price = int64_t(m_random.between(30, 300)) * 10000;
            } else {
                const int obsh = m_random.between(180, 400);
                const int height = m_random.between(250, 320);
                const int year = m_random.between(1970, 2020);
                row.set("S_Obsh", area(obsh)).set("Level", number(1)).set("LevelOf", number(1))
                    .set("H_Potolok", money(Money::fromUnits(int64_t(height) * 100)))
                    .set("YearBuild", number(year)).set("Lift", false).set("Musoroprovod", false);
                price = int64_t(m_random.between(15, 150)) * 10000;
            }
            const Rate &rate = rateOn(reg);
            setPrices(row, "", price, rate);
            const int commission = m_random.between(2, 5);
            setPrices(row, "Realt", roundTo(price + price * commission / 100, 1000), rate);

            const bool vacant = m_random.chance(50);
            const QDate end = contractEnd(reg);
            const QString contract = m_random.pick(OfferContracts);
            row.set("Osvobojdena", vacant)
                .set("DogNo1", QStringLiteral("П-%1/%2").arg(reg.year()).arg(id, 6, 10, QChar('0')))
                .set("DogBegin1", reg).set("DogEnd1", end).set("DogType1", contract);
            if (m_random.chance(15)) {
                const QDate begin2 = std::min(reg.addDays(m_random.between(1, 60)), end);
                row.set("DogNo2", QStringLiteral("ДС-%1/%2").arg(reg.year()).arg(id, 6, 10, QChar('0')))
                    .set("DogBegin2", begin2).set("DogEnd2", end)
                    .set("DogType2", QStringLiteral("Дополнительное соглашение"));
            }
            row.set("info", textOrNull(infoText(OfferNotes, 3)));
            row.insert();
        }
        count("BazaSale", row.rows());
    }

    void demands()
    {
        const TableDef &table = *Schema::table("BazaSpros");
        Inserter row(m_connection, "BazaSpros");
        Inserter place(m_connection, "BazaSprosVarMest");
        for (int id = 1; id <= m_sizes.demands; ++id) {
            const QDate reg = registrationDay();
            int client = m_random.between(1, m_sizes.clients);
            const int employee = m_random.between(1, m_sizes.employees);
            const QString type = objectType(true);
            const Kind kind = kindOf(type);
            row.set("IDBazaSpros", number(id)).set("DateReg", reg).set("NameType", type)
                .set("IDSotrud", number(employee)).set("LoginUser", m_logins.at(employee - 1));
            // An exchange: the owner of an offer wants something else in return.
            if (!m_offerClients.empty() && m_random.chance(5)) {
                const int offer = m_random.between(1, int(m_offerClients.size()));
                row.set("IDBazaSaleForObmen", number(offer));
                client = m_offerClients.at(offer - 1);
            }
            row.set("IDKlient", number(client));

            // Wishes are optional: most demands name only a few.
            for (const auto &list : Schema::attributeLists()) {
                if (list.table == "SprType" || !table.column(list.column) || !m_random.chance(40))
                    continue;
                row.set(list.column, m_random.pick(Delivered::starterWords(list.table)));
            }
            const bool tel = m_random.chance(50);
            const bool bath = m_random.chance(50);
            const bool balkon = m_random.chance(50);
            row.set("Tel", tel).set("BathRoom", bath).set("Balkon", balkon);

            const bool house = kind != Kind::Flat;
            const int levelMin = house ? 1 : m_random.between(1, 5);
            const int levelMax = house ? m_random.between(1, 2) : levelMin + m_random.between(0, 10);
            const int roomsMin = type == "Комната" ? 1 : m_random.between(1, 3);
            const int roomsMax = roomsMin + m_random.between(0, 2);
            const int obshMin = m_random.between(200, 800);
            const int obshMax = obshMin + m_random.between(50, 400);
            const int jilMin = obshMin * m_random.between(45, 60) / 100;
            const int kuhMin = m_random.between(50, 100);
            const int heightMin = m_random.between(250, 270);
            const bool notLast = m_random.chance(30);
            const bool lift = m_random.chance(30);
            const bool musor = m_random.chance(20);
            const bool vacant = m_random.chance(30);
            row.set("LevelMin", number(levelMin)).set("LevelMax", number(levelMax))
                .set("NotLevelLast", notLast).set("KolRoomMin", number(roomsMin))
                .set("KolRoomMax", number(roomsMax)).set("S_ObshMin", area(obshMin))
                .set("S_ObshMax", area(obshMax)).set("S_JilMin", area(jilMin))
                .set("S_KuhMin", area(kuhMin))
                .set("H_PotolokMin", money(Money::fromUnits(int64_t(heightMin) * 100)))
                .set("Lift", lift).set("Musoroprovod", musor).set("Osvobojdena", vacant);
            if (m_random.chance(40)) {
                const int year = m_random.between(1960, 2020);
                row.set("YearBuild", number(year));
            }
            const int town = m_random.between(1, m_sizes.towns);
            const int64_t budget = roundTo(int64_t(obshMax) * pricePerMetre(town, kind) / 10, 50000);
            setPrices(row, "", budget, rateOn(reg));

            const QDate end = contractEnd(reg);
            const QString contract = m_random.pick(DemandContracts);
            row.set("DogNo1", QStringLiteral("С-%1/%2").arg(reg.year()).arg(id, 6, 10, QChar('0')))
                .set("DogBegin1", reg).set("DogEnd1", end).set("DogType1", contract)
                .set("info", textOrNull(infoText(DemandNotes, 2)));

            const int places = m_random.between(0, 3);
            row.set("NoVarRaspologen", places == 0);
            row.insert();
            for (int i = 0; i < places; ++i)
                addPlace(place, id, reg);
        }
        count("BazaSpros", row.rows());
        count("BazaSprosVarMest", place.rows());
    }

    // A wished location: a town, often a district of it, sometimes a street there.
    void addPlace(Inserter &place, int demand, const QDate &reg)
    {
        const Street &street = m_streets.at(m_random.between(0, int(m_streets.size()) - 1));
        const bool district = m_random.chance(70);
        const bool exact = district && m_random.chance(30);
        const bool note = m_random.chance(20);
        const QString info = m_random.pick(PlaceNotes);
        place.set("IDBazaSprosVarMest", number(place.rows() + 1)).set("IDBazaSpros", number(demand))
            .set("DateReg", reg).set("IDTown", number(street.town));
        if (district)
            place.set("IDRaion", number(street.district));
        if (exact)
            place.set("IDStreet", number(street.id));
        if (note)
            place.set("info", info);
        place.insert();
    }

    Connection &m_connection;
    DemoSizes m_sizes;
    Random m_random;
    QDate m_firstDay;
    std::vector<Street> m_streets;
    QStringList m_logins;
    std::vector<Rate> m_rates;
    std::vector<int> m_offerClients;   // the client of each offer, by number - 1
    DemoCounts m_counts;
};

} // namespace

namespace Demo {

DemoCounts fill(Connection &connection, const DemoSizes &sizes)
{
    return Generator(connection, sizes).run();
}

} // namespace Demo
