#include "support/KnownTexts.h"

#include <iterator>

namespace millcalc::robust {

namespace {

enum Where : unsigned { Log = 1, Box = 2, Both = Log | Box };

struct KnownText {
    const char* text;
    unsigned where;
};

// Every message of the three methods and the shell, character for character.
constexpr KnownText kKnownTexts[] = {
    // The shell: the literature list and the blank result page.
    { "Литература..", Log },
    { "    ", Log },
    { "1. ТР 1.4.2104-2002 ", Log },
    { "    Технологические рекомендации.", Log },
    { "    Выбор параметров концевых фрез и режимов резания высокоскоростного", Log },
    { "    фрезерования алюминиевых и титановых сплавов.", Log },
    { "2. Общий каталог - WALTER, Т1,Т2", Log },
    { "3. Справочник технолога-машиностроителя, Т1,Т2", Log },
    { "     /Под. общ. ред. Лумиковой и Ресталова - М. Машиностроение,1985 - 496с.", Log },
    { "     ", Log },
    { ".......     ", Log },

    // Walter: speeds and feeds.
    { "Ошибка задания 'диаметра инструмента' - D", Both },
    { "Ошибка задания оборотов шпинделя...<=0", Log },
    { "Превышение числа оборотов", Log },
    { "Превышение максимального лимита рабочей подачи", Log },
    { "Ошибка задания 'Числа зубьев' - z", Box },
    { "Расчет подачи на зуб \n n=0. \n Расчет прерван.", Box },
    { "Ошибка задания 'Скорости резания' - vc", Box },
    // Walter: chip thickness.
    { "Ошибка задания 'Глубина реза' - ae", Box },
    { "Ошибка задания 'Подача на зуб' - fz", Box },
    // Walter: removal rate.
    { "Ошибка задания ширины реза...<=0", Log },
    { "Ошибка задания глубины реза...<=0", Log },
    { "Ошибка задания подачи реза...<=0", Log },
    // Walter: power and torque.
    { "Ошибка задания 'Ширины реза' - ap", Box },
    { "Ошибка задания 'Глубина реза' - ae<=0.", Log },
    { "Число оборотов шпинделя - n<=0.", Log },
    { "Средняя толщина стружки - hm<=0.", Log },
    { "Подача резания - vf<=0.", Log },
    { "Главный передний угол (гамма) - превышает лимит <=-100 || >=+100 -> установлен gamma=2",
        Log },
    { "Коэф материала kc11-> (kc11<=0) - установлен kc11=700. ", Log },
    { "Коэф материала mc-> (mc<=0 или mc>1) - установлен mc=0.25 ", Log },
    { "Расчет мощности резания->Средняя толщина стружки\n hm<=0. \n Расчет прерван.", Log },
    { "Расчет мощности резания->Средняя толщина стружки \n hm=0. \n Расчет прерван.", Box },
    { "Превышение мощности станка", Log },
    { "Работа на пределе (или Превышение) - мощности станка", Log },
    { "Работа на пределе (или Превышение) - крутящего момента", Log },
    // Walter, added for sound behaviour: a cut deeper than the cutter has no
    // contact angle, and a value beyond the range of numbers is not written.
    { "Глубина резания ae больше диаметра фрезы D (ae/D>1) - угол контакта не определен. Расчет "
      "средней толщины стружки прерван.",
        Both },
    { "Переполнение при расчете * - значение вне диапазона чисел. Проверьте исходные данные. "
      "Расчет прерван.",
        Both },
    // Every method: the fit of the cut to the machine, and the passes.
    { "Подбор по станку: режим в пределах станка", Log },
    { "Подбор по станку: * → * — *", Log },
    { "Подбор по станку: уменьшите * на * % — * (*)", Log },
    { "Подбор по станку: уменьшите вылет L до * мм или увеличьте D — * (*)", Log },
    { "Подбор по станку: итог — все проверки в пределах станка и фрезы", Log },
    { "Подбор по станку: итог — все проверки в пределах станка и фрезы; проходов: * → *", Log },
    { "Подбор по станку: итог — остается красным: * (*)", Log },
    { "Подбор по станку: итог — остается красным: * (*); проходов: * → *", Log },
    { "Ошибка задания 'Числа проходов' - i -> исправлено....", Log },

    // Aluminium: the geometry check.
    { "Ошибка задания 'диаметра инструмента' - D -> исправлено....", Both },
    { "Ошибка задания 'Ширины реза' - B -> исправлено....", Both },
    { "Диаметр фрезы меньше чем ширина фрезерования 'D<B' !", Log },
    { "Ошибка задания 'Глубина реза' - t -> исправлено....", Both },
    // Aluminium: feed per tooth.
    { "Ошибка задания k1<=0 (Расчет подачи на зуб)-> исправлено....", Log },
    { "Ошибка задания x1<=0 (Расчет подачи на зуб)-> исправлено....", Log },
    { "Ошибка задания y1<=0 (Расчет подачи на зуб)-> исправлено....", Log },
    { "Ошибка задания z1<=0 (Расчет подачи на зуб)-> исправлено....", Log },
    { "Ошибка задания Ks<=0 (дополнительного коэффициента)-> исправлено....", Log },
    { "Ошибка вычисления-> Sz=fz=0.", Both },
    // Aluminium: speed by temperature, temperature table.
    { "Ошибка задания Sz<=0 (Расчет V1)....", Log },
    { "Ошибка задания k2<=0 (Расчет V1)-> исправлено....", Log },
    { "Ошибка задания x2<=0 (Расчет V1)-> исправлено....", Log },
    { "Ошибка задания y2<=0 (Расчет V1)-> исправлено....", Log },
    { "Ошибка задания z2<=0 (Расчет V1)-> исправлено....", Log },
    { "Превышение температурного режима: T>=140°C -> деталь плавиться....... :)", Log },
    // Aluminium: speed by power and accepted speed.
    { "Ошибка задания k3<=0 (Расчет V2)-> исправлено....", Log },
    { "Ошибка задания x3<=0 (Расчет V2)-> исправлено....", Log },
    { "Ошибка задания y3<=0 (Расчет V2)-> исправлено....", Log },
    { "Ошибка задания z3<=0 (Расчет V2)-> исправлено....", Log },
    { "Ошибка задания m1<=0 (Расчет V2)-> исправлено....", Log },
    { "Ошибка преобразования V<=0 (Расчет V)....", Log },
    // Aluminium: spindle speed and table feed.
    { "Ошибка задания скорости реза (м/мин) V=0   .... (Расчет n)", Log },
    { "Превышение числа оборотов   (Расчет n)", Log },
    { "Ошибка задания 'Числа зубьев' - z -> исправлено....", Both },
    { "Ошибка задания n<=0 (Расчет F)....", Log },
    { "Превышение числа оборотов  (Расчет F)", Log },
    { "Ошибка задания Sz<=0 (Расчет F)....", Log },
    { "Превышение максимальной подачи резания  (Расчет F)", Log },
    // Aluminium: force and spindle load.
    { "Ошибка задания k4<=0 (Расчет P)-> исправлено....", Log },
    { "Ошибка задания x4<=0 (Расчет P)-> исправлено....", Log },
    { "Ошибка задания y4<=0 (Расчет P)-> исправлено....", Log },
    { "Ошибка задания z4<=0 (Расчет P)-> исправлено....", Log },
    { "Ошибка задания m2<=0 (Расчет P)-> исправлено....", Log },
    { "Ошибка задания Sz<=0 (Расчет Pz)....", Log },
    { "Ошибка задания n<=0 (Расчет Pz)....", Both },
    { "Превышение числа оборотов (Расчет Pz)", Log },
    { "Превышение допустимой силовой нагрузки на шпиндель (Расчет Pz)....", Log },
    // Aluminium: torque and power.
    { "Ошибка задания 'Силы реза' - Pz -> исправлено....(Расчет Mz)", Log },
    { "Превышение максимального момента резания (Расчет Mz)", Log },
    { "Ошибка задания 'Скорости реза' - V (Расчет Мощности) ....", Log },
    { "Ошибка задания 'Силы реза' - Pz (Расчет Мощности) -> исправлено....", Log },
    { "Превышение мощности оборудования", Log },
    // Aluminium, added for sound behaviour: a value beyond the range of numbers.
    { "Ошибка вычисления-> *: значение вне диапазона чисел (проверьте исходные данные и "
      "коэффициенты)....",
        Both },

    // Titanium.
    { "Ошибка задания 'Ширины реза' - B", Box },
    { "Ошибка задания 'Глубина реза' - t", Box },
    { "Ошибка задания 'Вылет инструмента - длина' - L", Box },
    { "Ошибка задания - Критерий затупления, hz", Box },
    { "Разность (L-B)=(длины реж части - ширины фрезерования)не должна превышать 10мм - по "
      "рекомендации",
        Log },
    { "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение числа оборотов", Log },
    { "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение максимального лимита рабочей подачи", Log },
    { "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение мощности оборудования", Log },
    // Titanium, added for sound behaviour: an overhang beyond the table, and a
    // value that cannot be computed.
    { "Вылет инструмента L/D больше табличного - принят коэффициент Kf4=0.6", Log },
    { "Ошибка расчета - * не вычисляется (бесконечное или неопределенное значение): проверьте "
      "исходные данные",
        Both },

    // Every method: the deflection of the cutter.
    { "Ошибка задания L<=0 (Расчет отжима)….", Log },
    { "Ошибка задания D<=0 (Расчет отжима)….", Log },
    { "Ошибка задания [δ]<=0 (Расчет отжима)….", Log },
    { "Отжим фрезы δ=* мм", Log },
    { "Переполнение при расчете отжима фрезы δ - значение вне диапазона чисел. Проверьте "
      "исходные данные.",
        Log },
};

bool isKnown(std::string_view text, unsigned where)
{
    for (const KnownText& known : kKnownTexts) {
        if ((known.where & where) != 0 && matchesPattern(known.text, text))
            return true;
    }
    return false;
}

int countWhere(unsigned where)
{
    int count = 0;
    for (const KnownText& known : kKnownTexts) {
        if ((known.where & where) != 0)
            ++count;
    }
    return count;
}

} // namespace

bool matchesPattern(std::string_view pattern, std::string_view text)
{
    const std::size_t star = pattern.find('*');
    if (star == std::string_view::npos)
        return pattern == text;
    const std::string_view head = pattern.substr(0, star);
    if (text.substr(0, head.size()) != head)
        return false;
    // The wildcard stands for at least one character: a report names something.
    const std::string_view rest = pattern.substr(star + 1);
    for (std::size_t at = head.size() + 1; at <= text.size(); ++at) {
        if (matchesPattern(rest, text.substr(at)))
            return true;
    }
    return false;
}

bool isKnownLogLine(std::string_view text)
{
    return isKnown(text, Log);
}

bool isKnownWarning(std::string_view caption, std::string_view text)
{
    // The blank fourth result page answers with the plain information box.
    if (caption == "millcalc")
        return text == "Nothing";
    if (caption == "Предупреждение..(Расчет Pz).")
        return text == "Ошибка вычисления-> Sz=fz=0.";
    return caption == "Предупреждение..." && isKnown(text, Box);
}

int knownLogLineCount()
{
    return countWhere(Log);
}

int knownBoxTextCount()
{
    return countWhere(Box);
}

} // namespace millcalc::robust
