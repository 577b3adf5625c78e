#include "directories/SprKlient.h"

TFSprKlient *FSprKlient = nullptr;

namespace {

TPersonDirectory::Texts clientTexts()
{
    return {"FSprKlient", "Справочник клиентов", "ADOTSprKlient", "SprKlient", "IDKlient", "NameKlient",
            "Наименования клиентов", "->Новый клиент",
            {{"", {{"NameKlient", "Наименование"}, {"INNKlient", "ИНН"}, {"KPPKlient", "КПП"},
                   {"AdressKlient", "Адрес"}, {"TelKlient", "Тел"}}},
             {"Паспортные данные", {{"PassportSer", "Серия"}, {"PassportNom", "№"}, {"PassportVidan", "Выдан"}}},
             {"Руководитель", {{"DirKlient", "ФИО"}}},
             {"Банковские реквизиты", {{"RSKlient", "Р/с"}, {"KSKlient", "К/с"}, {"BankKlient", "Банк"},
                                       {"BikKlient", "Бик"}}}}};
}

} // namespace

TFSprKlient::TFSprKlient(QWidget *parent) : TPersonDirectory(clientTexts(), parent)
{
    FSprKlient = this;
}

TFSprKlient::~TFSprKlient()
{
    if (FSprKlient == this) FSprKlient = nullptr;
}
