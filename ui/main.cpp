// Placeholder until the Qt window lands: starts the window logic and reports it.
#include <iostream>

int main()
{
    std::cout << "millcalc: the window logic is built; the desktop window comes with the next step.\n";
    return 0;
}
