#include "InterfaceText.h"

#include "LineBreaks.h"

#include <array>

namespace mx {

namespace {

using E = InterfaceTextEntry;

constexpr std::array kTexts{
    // About dialog.
    E{"fmMxAbout", "", E::Caption, u"О программе Mirvalex"},
    E{"fmMxAbout", "lbAppName", E::Caption, u"Mirvalex  1.0 "},
    E{"fmMxAbout", "lbAppDescript", E::Caption,
      u"Классический калькулятор с расширенными возможностями:\r - Вычисления по формулам\r"
      u" - Запись и печать результатов"},
    E{"fmMxAbout", "lbAppBuild", E::Caption, u""},
    E{"fmMxAbout", "lbAppSite", E::Caption, u"Сайт программы"},
    E{"fmMxAbout", "btHelp", E::Caption, u"Подробнее"},

    // Main window: commands and menus.
    E{"fmMxMain", "File_OpenHistory", E::Caption, u"Открыть историю..."},
    E{"fmMxMain", "File_SaveHistoryAs", E::Caption, u"Сохранить историю как..."},
    E{"fmMxMain", "File_Print", E::Caption, u"Печать..."},
    E{"fmMxMain", "File_Exit", E::Caption, u"Выход"},
    E{"fmMxMain", "Tools_Options", E::Caption, u"Настройка..."},
    E{"fmMxMain", "Tools_Clear", E::Caption, u"Очистить"},
    E{"fmMxMain", "Tools_Recalculate", E::Caption, u"Пересчитать"},
    E{"fmMxMain", "Tools_Statistics", E::Caption, u"Статистика..."},
    E{"fmMxMain", "Help_Contents", E::Caption, u"Справка     F1"},
    E{"fmMxMain", "Help_VisitSite", E::Caption, u"Сайт программы"},
    E{"fmMxMain", "Help_Support", E::Caption, u"Поддержка"},
    E{"fmMxMain", "Help_About", E::Caption, u"О программе..."},
    E{"fmMxMain", "mnFile", E::Caption, u"Файл"},
    E{"fmMxMain", "mnTools", E::Caption, u"Сервис"},
    E{"fmMxMain", "mnHelp", E::Caption, u"Справка"},

    // Main window: captions.
    E{"fmMxMain", "lbClsInput", E::Caption, u"Ввод и результат"},
    E{"fmMxMain", "lbClsMemory", E::Caption, u"Память"},
    E{"fmMxMain", "cbClsDigitGrouping", E::Caption, u"Разделитель"},
    E{"fmMxMain", "lbClsFloat", E::Caption, u"Плав."},
    E{"fmMxMain", "cbClsHistory", E::Caption, u"История"},
    E{"fmMxMain", "cbClsTotals", E::Caption, u"ПромРез"},
    E{"fmMxMain", "cbClsFormula", E::Caption, u"Формула"},
    E{"fmMxMain", "cbClsInv", E::Caption, u"Arc"},
    E{"fmMxMain", "rbClsRadian", E::Caption, u"Радианы"},
    E{"fmMxMain", "rbClsDegree", E::Caption, u"Градусы"},
    E{"fmMxMain", "gbClsFormula", E::Caption, u" Формула  (углы в радианах, десятичная точка) "},
    E{"fmMxMain", "cbClsFrmlHistory", E::Caption, u"Формулу в Историю"},
    E{"fmMxMain", "cbClsFrmlResHistory", E::Caption, u"Результат в Историю"},
    E{"fmMxMain", "gbClsFrmlFuncList", E::Caption, u" Функции (щелкните для вставки) "},
    E{"fmMxMain", "btClsRun", E::Caption, u"Вычислить"},
    E{"fmMxMain", "btClsClear", E::Caption, u"Очистить"},

    // Main window: hints.
    E{"fmMxMain", "tbClsDecPos", E::Hint, u"Десятичные позиции"},
    E{"fmMxMain", "cbClsTotals", E::Hint, u"Промежуточный результат"},
    E{"fmMxMain", "btMR", E::Hint, u"Читать из памяти"},
    E{"fmMxMain", "btMS", E::Hint, u"Записать в память"},
    E{"fmMxMain", "btMPlus", E::Hint, u"Сложить в памяти"},
    E{"fmMxMain", "btCM", E::Hint, u"Очистить память"},
    E{"fmMxMain", "btCE", E::Hint, u"Очистить ввод ( E )"},
    E{"fmMxMain", "btC", E::Hint, u"Очистить ( C )"},
    E{"fmMxMain", "btCH", E::Hint, u"Очистить историю"},
    E{"fmMxMain", "btPH", E::Hint, u"Печатать историю"},
    E{"fmMxMain", "btPercent", E::Hint, u"Процент"},
    E{"fmMxMain", "btPercentAdd", E::Hint, u"Прибавить процент"},
    E{"fmMxMain", "btPi", E::Hint, u"3.14..."},
    E{"fmMxMain", "btExp", E::Hint, u"e^x"},
    E{"fmMxMain", "btLog10", E::Hint, u"Log10"},
    E{"fmMxMain", "btLog2", E::Hint, u"Log2"},
    E{"fmMxMain", "btSta", E::Hint, u"Статистика"},
    E{"fmMxMain", "btAve", E::Hint, u"Среднее"},
    E{"fmMxMain", "btDat", E::Hint, u"Писать в статистику"},
    E{"fmMxMain", "btMod", E::Hint, u"Остаток x/y"},
    E{"fmMxMain", "btInt", E::Hint, u"Целая часть числа"},
    E{"fmMxMain", "btFrac", E::Hint, u"Дробная часть числа"},
    // The formula frame's function buttons take theirs from the formula function table.

    // Message dialog.
    E{"fmMxMsg", "btHelp", E::Caption, u"Справка"},

    // Options dialog.
    E{"fmMxOptions", "", E::Caption, u"Настройка"},
    E{"fmMxOptions", "gbClsNumber", E::Caption, u" Число "},
    E{"fmMxOptions", "cbClsDigitGrouping", E::Caption, u"Разделитель"},
    E{"fmMxOptions", "lbFloat", E::Caption, u"Плав."},
    E{"fmMxOptions", "gbClsAngle", E::Caption, u" Угол "},
    E{"fmMxOptions", "rbClsRadian", E::Caption, u"Радианы"},
    E{"fmMxOptions", "rbClsDegree", E::Caption, u"Градусы"},
    E{"fmMxOptions", "gbClsFormula", E::Caption, u" Формула "},
    E{"fmMxOptions", "cbClsFormula", E::Caption, u"Показать формулу"},
    E{"fmMxOptions", "cbClsFrmlHistory", E::Caption, u"Формулу в Историю"},
    E{"fmMxOptions", "cbClsFrmlResHistory", E::Caption, u"Результат в Историю"},
    E{"fmMxOptions", "gbClsDelimStr", E::Caption, u" Строка разделитель "},
    E{"fmMxOptions", "gbClsHistory", E::Caption, u" История"},
    E{"fmMxOptions", "cbClsHistory", E::Caption, u"Показать историю"},
    E{"fmMxOptions", "cbClsTotals", E::Caption, u"Промежуточный результат"},
    E{"fmMxOptions", "cbClsKeepHistory", E::Caption, u"Сохранять историю"},
    E{"fmMxOptions", "gbClsHelp", E::Caption, u"Справка"},
    E{"fmMxOptions", "btApply", E::Caption, u"Применить"},
    E{"fmMxOptions", "btCancel", E::Caption, u"Отмена"},
    E{"fmMxOptions", "btHelp", E::Caption, u"Справка"},
    E{"fmMxOptions", "lbClsHelp", E::Caption, u"Для справки наведите мышь на интересующий элемент."},

    // Options dialog: the help panel's text for each control, named by the control's mouse
    // area (the whole row of a check box, the group of the radio buttons) or, where it has
    // none, by the control; shown while the mouse is over the area or the control has the focus.
    E{"fmMxOptions", "gbClsDelimStr", E::Help,
      u"Текст строки добавляется в Историю при нажатии кнопки \"C\" (Clear).\rОтделяет одну "
      u"серию вычислений от другой."},
    E{"fmMxOptions", "gbClsAngle", E::Help,
      u"В каких единицах задается угол при вычислении тригонометрических функций (Sin, Cos, "
      u"Tg).\rВозможный выбор:\r- Радианы\r- Градусы"},
    E{"fmMxOptions", "tbClsDecPos", E::Help,
      u"Число цифр после десятичной точки.\r  Плавающий - число десятичных знаков определяется "
      u"автоматически."},
    E{"fmMxOptions", "pnUnderDigGr", E::Help,
      u"Вкл/Выкл Разделитель разрядов.\rРазделитель разрядов удобен при вычислениях с большими "
      u"числами."},
    E{"fmMxOptions", "pnUnderFormula", E::Help,
      u"Показать фрэйм Формула: поле для ввода формул, поле результата, список функций"},
    E{"fmMxOptions", "pnUnderFrmlHistory", E::Help, u"Печатать формулу в Историю"},
    E{"fmMxOptions", "pnUnderFrmlResHistory", E::Help,
      u"Печатать результат вычисления по формуле в Историю"},
    E{"fmMxOptions", "pnUnderHistory", E::Help, u"Показать Историю"},
    E{"fmMxOptions", "pnUndeerTotals", E::Help,
      u"Печатать в Историю итог каждой арифметической операции."},
    E{"fmMxOptions", "pnUnderKeepHistory", E::Help,
      u"Хранить Историю между запусками программы в зашифрованных файлах данных и показать её "
      u"снова при следующем запуске.\rПри выключении сохранённая История сразу удаляется."},

    // Statistics window.
    E{"fmMxStat", "", E::Caption, u"Статистика"},
    E{"fmMxStat", "btDelAll", E::Caption, u"Удалить все"},
    E{"fmMxStat", "btDelete", E::Caption, u"Удалить"},
    E{"fmMxStat", "btAppend", E::Caption, u"Добавить"},
    E{"fmMxStat", "lbQuantity", E::Caption, u"Количество ( N )"},
    E{"fmMxStat", "lbMin", E::Caption, u"Min ( m )"},
    E{"fmMxStat", "lbMax", E::Caption, u"Max ( M )"},
    E{"fmMxStat", "lbDissip", E::Caption, u"Диапазон ( M - m )"},
    E{"fmMxStat", "lbDissipCenter", E::Caption, u"Центр диапазона ( m + (M-m)/2 )"},
    E{"fmMxStat", "lbAvr", E::Caption, u"Среднее"},
    E{"fmMxStat", "lbSum", E::Caption, u"Сумма"},
    E{"fmMxStat", "lbVariance", E::Caption, u"Дисперсия"},
    E{"fmMxStat", "lbDeviation", E::Caption, u"Среднее кв. отклонение (для N)"},
    E{"fmMxStat", "lbUnbEstimator", E::Caption, u"Оценка S (для N-1)"},
    E{"fmMxStat", "gbOrder", E::Caption, u"Порядковые показатели"},
    E{"fmMxStat", "lbMedian", E::Caption, u"Медиана"},
    E{"fmMxStat", "lbLowerQuartile", E::Caption, u"Нижний квартиль"},
    E{"fmMxStat", "lbUpperQuartile", E::Caption, u"Верхний квартиль"},
    E{"fmMxStat", "lbIQR", E::Caption, u"Межквартильный размах"},
    E{"fmMxStat", "btImport", E::Caption, u"Импорт..."},
    E{"fmMxStat", "btExport", E::Caption, u"Экспорт..."},
    E{"fmMxStat", "btPicture", E::Caption, u"Рисунок выборки"},
    E{"fmMxStat", "btCopyPicture", E::Caption, u"Копировать рисунок"},
    E{"fmMxStat", "btCalc", E::Caption, u"Вычислить"},
    E{"fmMxStat", "btHelp", E::Caption, u"Справка"},
};

} // namespace

std::span<const InterfaceTextEntry> interfaceTextTable()
{
    return kTexts;
}

QString interfaceText(const QString& window, const QString& control,
                      InterfaceTextEntry::Kind kind)
{
    for (const InterfaceTextEntry& e : kTexts) {
        if (e.kind == kind && control == QLatin1String(e.control) &&
            window.compare(QLatin1String(e.window), Qt::CaseInsensitive) == 0)
            return withLineBreaks(QString::fromUtf16(e.text));
    }
    return QString();
}

} // namespace mx
