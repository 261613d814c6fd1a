#include "app/FieldCaptions.h"

#include <stdexcept>
#include <string>

namespace millcalc {

namespace {

using L = LimitKind;

constexpr FieldCaption kWalterInputs[] = {
    { "BaseD", "Диаметр фрезы, D", "мм", "Диаметр фрезы, D (мм) =" },
    { "BaseZ", "Число зубьев, z", "", "Число зубьев, (z) =" },
    { "BaseB", "Ширина резания, ap", "мм", "Ширина резания, ap (мм) =" },
    { "BaseT", "Глубина резания, ae", "мм", "Глубина резания, ae (мм) =" },
    { "BaseStPasses", "Число проходов, i", "", "i=" },
    { "BaseVc", "Скорость резания, Vc", "м/мин", "Скорость резания, Vc (м/мин) =" },
    { "Basefz", "Подача на зуб, fz", "мм/зуб", "Подача на зуб, fz (мм/зуб) =" },
    { "ComboBoxStkpd", "КПД станка", "", "КПД станка (%) =" },
    { "ComboBoxStContact", "Угол контакта фрезы", "", "Угол контакта фрезы:" },
    { "EditStk", "Главный угол, k", "°", "Главный угол, k (°)=" },
    { "EditStGamma0", "Главный передний угол", "°", "Главный передний угол, (°)" },
    { "StaticTextStMaterial", "Обрабатываемый материал", "" },
    { "EditStKc11", "Kс1.1", "Н/(мм*мм)", "Kс1.1=" },
    { "EditStMc", "Mc", "", "Mc=" },
    { "BaseStL", "Вылет фрезы, L", "мм", "Вылет фрезы, L (мм) =" },
    { "BaseStDeflMax", "Допустимый отжим фрезы", "мм", "Допустимый отжим фрезы, (мм) =" },
    { "CheckBoxhm2", nullptr, "", nullptr, L::None, ValueKind::Checked },
};

constexpr FieldCaption kWalterResults[] = {
    { "EditStn", "Обороты шпинделя, n", "об/мин", nullptr, L::SpindleSpeed },
    { "EditStVc", "Скорость резания, Vc", "м/мин" },
    { "EditStVf", "Подача, Vf", "мм/мин", nullptr, L::Feed },
    { "EditStfz", "Подача на зуб, fz", "мм/зуб" },
    { "EditStQ", "Скорость сьема материала, Q", "(см*см*см)/мин" },
    { "EditSthm2", "Средняя толщина стружки, hm", "мм" },
    { "EditaeDc", "ae/Dc", "", "ae/Dc=" },
    { "EditStKc", "Удельная сила резания, kc", "Н/(мм*мм)", "Удельная сила резания:" },
    { "EditStP", "Мощность (рассчитанная)", "кВт", "Мощность (рассчитанная)=", L::Power },
    { "EditStPn", "Мощность (принимаемая)", "кВт", "Мощность (принимаемая)=", L::MachineFigure },
    { "EditStM", "Момент, M", "Нм", "Момент, M=", L::MachineFigure },
    { "EditStDefl", "Отжим фрезы, δ", "мм", nullptr, L::Deflection },
    { "EditStWidthPasses", "Проходов по ширине", "", "Проходов по ширине=" },
};

constexpr FieldCaption kAluminiumInputs[] = {
    { "BaseAlD", "Диаметр фрезы, D", "мм", "Диаметр фрезы, D (мм) =" },
    { "BaseAlZ", "Число зубьев, z", "", "Число зубьев, (z) =" },
    { "BaseAlB", "Ширина резания, B", "мм", "Ширина резания, B (мм) =" },
    { "BaseAlT", "Глубина резания, t", "мм", "Глубина резания, t (мм) =" },
    { "BaseAlPasses", "Число проходов, i", "", "Число проходов, i =" },
    { "ComboBoxMaterial", "Материал заготовки", "", "Материал заготовки:" },
    { "ComboBoxTkpd", "КПД станка", "", "КПД станка (%) =" },
    { "ComboBoxRa", "Требуемая шероховатость, Ra", "мкм",
        "Требуемая\r\nшероховатость, Ra (мкм) =" },
    { "BaseAlL", "Вылет фрезы, L", "мм", "Вылет фрезы, L (мм) =" },
    { "BaseAlDeflMax", "Допустимый отжим фрезы", "мм", "Допустимый отжим фрезы, (мм) =" },
};

constexpr FieldCaption kAluminiumResults[] = {
    { "EditSz", "Подача на зуб Sz=fz", "мм/зуб", "Подача на зуб Sz=fz, (мм/зуб) =" },
    { "EditV1", "Скорость резания V1 (темпер. заготовки)", "м/мин",
        "Скорость резания V1 (темпер. заготовки), (м/мин) =" },
    { "EditV2", "Скорость резания V2 (по мощн. гл. дв.)", "м/мин",
        "Скорость резания V2 (по мощн. гл. дв.) , (м/мин) =" },
    { "EditV", "Принимаемая скорость резания, V", "м/мин",
        "Принимаемая скорость резания, V (м/мин) =" },
    { "Editn", "Обороты шпинделя, n", "об/мин", "Обороты шпинделя, n (об/мин) =", L::SpindleSpeed },
    { "EditF", "Подача резания, F", "мм/мин", "Подача резания, F (мм/мин) =", L::Feed },
    { "EditTm", "Температура заготовки, C", "град Цельсия",
        "Температура заготовки, C (град Цельсия) =", L::Temperature },
    { "EditPz", "Сила резания Pz", "Н", "Сила резания Pz,(Н) =", L::SpindleLoad },
    { "EditMz", "Момент Mz", "Нм", "Момент Mz, (Hm) =", L::Torque },
    { "EditNp", "Мощность резания Nct", "кВт", "Мощность резания Nct, (кВт) =", L::Power },
    { "EditAlDefl", "Отжим фрезы, δ", "мм", "Отжим фрезы, δ (мм) =", L::Deflection },
    { "EditAlWidthPasses", "Проходов по ширине", "", "Проходов по B =" },
    { "EditK", "K=B/D", "", "K=B/D=" },
    { "EdittD", "t/D", "", "t/D=" },
};

constexpr FieldCaption kSzCoefficients[] = {
    { "EditTkoef1", "k1", "", "k1=" },
    { "EditTX1", "X1", "", "X1=" },
    { "EditTY1", "Y1", "", "Y1=" },
    { "EditTZ1", "Z1", "", "Z1=" },
    { "EditTKs", "Ks", "", "Ks=" },
};
constexpr FieldCaption kV1Coefficients[] = {
    { "EditTkoef2", "k2", "", "k2=" },
    { "EditTX2", "X2", "", "X2=" },
    { "EditTY2", "Y2", "", "Y2=" },
    { "EditTZ2", "Z2", "", "Z2=" },
};
constexpr FieldCaption kV2Coefficients[] = {
    { "EditTkoef3", "k3", "", "k3=" },
    { "EditTX3", "X3", "", "X3=" },
    { "EditTY3", "Y3", "", "Y3=" },
    { "EditTZ3", "Z3", "", "Z3=" },
    { "EditTsm1", "m1", "", "m1=" },
};
constexpr FieldCaption kForceCoefficients[] = {
    { "EditTkoef4", "k4", "", "k4=" },
    { "EditTX4", "X4", "", "X4=" },
    { "EditTY4", "Y4", "", "Y4=" },
    { "EditTZ4", "Z4", "", "Z4=" },
    { "EditTsm2", "m2", "", "m2=" },
};

constexpr CoefficientGroup kCoefficientGroups[] = {
    { "Sz", kSzCoefficients },
    { "V1", kV1Coefficients },
    { "V2", kV2Coefficients },
    { "Pz", kForceCoefficients },
};

constexpr FieldCaption kTitaniumInputs[] = {
    { "BaseTiD", "Диаметр фрезы, D", "мм", "Диаметр фрезы, D (мм) =" },
    { "BaseTiZ", "Число зубьев, z", "", "Число зубьев, (z) =" },
    { "BaseTiB", "Ширина резания, B", "мм", "Ширина резания, B (мм) =" },
    { "BaseTiT", "Глубина резания, t", "мм", "Глубина резания, t (мм) =" },
    { "BaseTiPasses", "Число проходов, i", "", "Число проходов, i =" },
    { "BaseTiL", "Вылет инструмента (длина режущ. части), L", "мм",
        "Вылет инструмента-длина,\r\n длина режущ. части, L(мм) =" },
    { "BaseTiDeflMax", "Допустимый отжим фрезы", "мм", "Допустимый отжим фрезы, (мм) =" },
    { "BaseTihz", "Критерий затупления по задней грани, hz", "мм",
        "Критерий затупления, hz (мм) =\r\n(по задней грани)" },
    { "ComboBoxTiTime", "Стойкость фрезы, T", "мин", "Стойкость\r\nфрезы, (мин):" },
    { "ComboBoxTiMaterial", "Материал", "", "Материал =" },
    { "RadioGroupTiMaterial", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "RadioGroupTiSurface", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "RadioGroupTiSkin", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "RadioGroupTiCoolnt", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "RadioGroupTiDirection", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "RadioGroupTiTypeDetal", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "RadioGroupTiPz", nullptr, "", nullptr, L::None, ValueKind::Choice },
    { "EditTiPxcoeff", "Коэффициент силы Cx", "", "Px=" },
    { "EditTiPycoeff", "Коэффициент силы Cy", "", "Py=" },
};

constexpr FieldCaption kTitaniumResults[] = {
    { "EditTifz", "Подача на зуб Sz=fz", "мм/зуб", "Подача на зуб Sz=fz, (мм/зуб) =" },
    { "EditTiVc", "Принимаемая скорость резания, V", "м/мин",
        "Принимаемая скорость резания, V (м/мин) =" },
    { "EditTin", "Обороты шпинделя, n", "об/мин",
        "Обороты шпинделя, n (об/мин) =", L::SpindleSpeed },
    { "EditTiF", "Подача резания, F", "мм/мин", "Подача резания, F (мм/мин) =", L::Feed },
    { "EditTiPx", "Сила резания Px", "Н" },
    { "EditTiPy", "Сила резания Py", "Н" },
    { "EditTiP", "Сила резания P", "Н" },
    { "EditTiMz", "Момент Mz", "Нм", "Момент Mz, (Hm) =", L::Torque },
    { "EditTiNct", "Мощность резания Nct", "кВт", "Мощность резания Nct, (кВт) =", L::Power },
    { "EditTiDefl", "Отжим фрезы, δ", "мм", "Отжим фрезы, δ (мм) =", L::Deflection },
    { "EditTiWidthPasses", "Проходов по ширине", "", "Проходов по B =" },
    { "EditTiVsmall", "Скорость резания, V (деталь малой жесткости)", "м/мин",
        "Скорость резания, V (м/мин) =" },
    { "EditTinsmall", "Обороты шпинделя, n (деталь малой жесткости)", "об/мин",
        "Обороты шпинделя, n (об/мин) =", L::SpindleSpeed },
    { "EditTiFsmall", "Подача резания, F (деталь малой жесткости)", "мм/мин",
        "Подача резания, F (мм/мин) =", L::Feed },
    { "EditTiNctsmall", "Мощность резания Nct (деталь малой жесткости)", "кВт",
        "Мощность резания Nct, (кВт) =", L::Power },
};

constexpr FieldCaption kSheetHeader[] = {
    { "EditSheetPart", "Деталь", "", "Деталь:" },
    { "EditSheetOperation", "Операция", "", "Операция:" },
    { "EditSheetAuthor", "Разработал", "", "Разработал:" },
};

constexpr std::span<const FieldCaption> kInputs[]
    = { kWalterInputs, kAluminiumInputs, kTitaniumInputs };
constexpr std::span<const FieldCaption> kResults[]
    = { kWalterResults, kAluminiumResults, kTitaniumResults };

} // namespace

std::span<const FieldCaption> inputCaptions(int page)
{
    return page >= 0 && page < 3 ? kInputs[page] : std::span<const FieldCaption>();
}

std::span<const FieldCaption> resultCaptions(int page)
{
    return page >= 0 && page < 3 ? kResults[page] : std::span<const FieldCaption>();
}

std::span<const CoefficientGroup> aluminiumCoefficientGroups()
{
    return kCoefficientGroups;
}

std::span<const FieldCaption> sheetHeaderCaptions()
{
    return kSheetHeader;
}

const FieldCaption& fieldCaption(std::string_view field)
{
    const auto search = [field](std::span<const FieldCaption> table) -> const FieldCaption* {
        for (const FieldCaption& entry : table) {
            if (field == entry.field)
                return &entry;
        }
        return nullptr;
    };
    for (int page = 0; page < 3; ++page) {
        for (const auto table : { kInputs[page], kResults[page] }) {
            if (const FieldCaption* found = search(table))
                return *found;
        }
    }
    for (const CoefficientGroup& group : kCoefficientGroups) {
        if (const FieldCaption* found = search(group.coefficients))
            return *found;
    }
    if (const FieldCaption* found = search(kSheetHeader))
        return *found;
    throw std::out_of_range("no caption for the field " + std::string(field));
}

} // namespace millcalc
