#include "directories/SprSotrud.h"

TFSprSotrud *FSprSotrud = nullptr;

namespace {

TPersonDirectory::Texts employeeTexts()
{
    return {"FSprSotrud", "Справочник сотрудников", "ADOTSprSotrud", "SprSotrud", "IDSotrud", "NameSotrud",
            "ФИО сотрудников", "->Новый сотрудник",
            {{"", {{"NameSotrud", "ФИО"}, {"INNSotrud", "ИНН"}, {"AdressSotrud", "Адрес"}, {"TelSotrud", "Тел"}}},
             {"Паспортные данные", {{"PassportSer", "Серия"}, {"PassportNom", "№"}, {"PassportVidan", "Выдан"}}},
             {"Дополнительная информация", {{"infoSotrud", "", true}}}}};
}

} // namespace

TFSprSotrud::TFSprSotrud(QWidget *parent) : TPersonDirectory(employeeTexts(), parent)
{
    FSprSotrud = this;
}

TFSprSotrud::~TFSprSotrud()
{
    if (FSprSotrud == this) FSprSotrud = nullptr;
}
