#include "ui/StartUp.h"

#include "app/Toolkit.h"

#include <exception>

namespace millcalc {

bool startOrReport(Toolkit& toolkit, const std::function<void()>& startUp)
{
    try {
        startUp();
    } catch (const std::exception& error) {
        toolkit.errorBox(error.what());
        return false;
    } catch (...) {
        toolkit.errorBox("Ошибка при запуске программы");
        return false;
    }
    return true;
}

} // namespace millcalc
