#include "shell/MachineFit.h"

#include "app/DetachedForm.h"
#include "app/NumberText.h"
#include "app/Pi.h"
#include "shell/FormMain.h"
#include "shell/MachineComparison.h"
#include "walter/SpeedSteps.h"
#include "walter/Walter.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace millcalc {

namespace {

constexpr const char* kPrefix = "Подбор по станку: ";
// The inputs are written in the formats the full calculation corrects them in.
constexpr int kVcDecimals = 3;
constexpr double kVcUnitsPerMetre = 1e3;
constexpr int kFzDecimals = 5;
constexpr double kFzUnitsPerMillimetre = 1e5;

// What the full calculation writes for one pair of inputs, read back from
// the result fields of a detached copy.
struct Trial {
    bool stopped = true;
    double hm = 0;
    double P = 0;
    double Pn = 0;
};

// The largest k in [1, high] for which holds(k), for holds true up to some k
// and false above it; 0 when it holds for none.
long long largestHolding(long long high, const std::function<bool(long long)>& holds)
{
    long long low = 0; // holds(low) is taken as true
    while (low < high) {
        const long long middle = low + (high - low + 1) / 2;
        if (holds(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

std::string percentText(double share)
{
    return formatFixed(std::ceil(share * 100), 0) + " %";
}

class Fit {
public:
    explicit Fit(FormMain& form)
        : form_(form)
        , store_(form.store())
        , maxSpeed_(form.machine().MaxSpindleSpeed)
        , maxFeed_(form.machine().MaxFeed)
        , maxPower_(form.machine().MaxPower)
        , D_(store_.real("BaseD"))
        , z_(store_.whole("BaseZ"))
        , VcText_(store_.text("BaseVc"))
        , fzText_(store_.text("Basefz"))
        , Vc_(store_.real("BaseVc"))
        , fz_(store_.real("Basefz"))
        , copy_(form)
    {
    }

    // False when the calculation would stop on the inputs as they stand.
    bool calculable() { return !trial(VcText_, fzText_).stopped; }

    void run()
    {
        fitSpindleSpeed();
        fitFeed();
        fitPower();
        if (changes_ == 0 && !floorReached_)
            form_.LogMessage(std::string(kPrefix) + "режим в пределах станка");
        if (VcText_ != store_.text("BaseVc"))
            store_.setText("BaseVc", VcText_);
        if (fzText_ != store_.text("Basefz"))
            store_.setText("Basefz", fzText_);
    }

private:
    // As the full calculation computes it: n from D and Vc, F from fz, z and n.
    double spindleSpeed(double Vc) const { return Vc * 1000 / (D_ * kPi); }
    double feed(double fz) const { return fz * z_ * spindleSpeed(Vc_); }

    // Every trial runs on the same copy: a run writes each result before a
    // later step of it reads one, so nothing of an earlier trial leaks in.
    Trial trial(const std::string& VcText, const std::string& fzText)
    {
        FieldStore& store = copy_.store();
        store.setText("BaseVc", VcText);
        store.setText("Basefz", fzText);
        Trial t;
        if (WalterCalculate(copy_.form()) < 0)
            return t;
        t.stopped = false;
        t.hm = store.real("EditSthm2");
        t.P = store.real("EditStP");
        t.Pn = store.real("EditStPn");
        return t;
    }

    Trial trialAtFeed(long long fzUnits)
    {
        return trial(VcText_, formatFixed(fzUnits / kFzUnitsPerMillimetre, kFzDecimals));
    }

    long long fzUnits() const
    {
        return static_cast<long long>(std::floor(fz_ * kFzUnitsPerMillimetre));
    }

    // The least feed per tooth whose chip is at least the least thickness, in
    // units of the input's last decimal.
    long long feedFloor()
    {
        if (floor_ < 0) {
            floor_ = 1 + largestHolding(fzUnits(), [this](long long k) {
                const Trial t = trialAtFeed(k);
                return !t.stopped && t.hm < kLeastChipThickness;
            });
        }
        return floor_;
    }

    void change(const char* what, const std::string& before, const std::string& after,
        const char* unit, const std::string& reason)
    {
        ++changes_;
        form_.LogMessage(std::string(kPrefix) + what + " " + before + " -> " + after + " " + unit
            + ": " + reason);
    }

    // Lowers fz to the largest value for which fits(k) holds, but not below
    // the chip-thickness floor. Returns false when the floor stopped it.
    bool lowerFeed(const std::string& reason, const std::function<bool(long long)>& fits)
    {
        const long long current = fzUnits();
        long long units = largestHolding(current, fits);
        const bool floored = units < feedFloor();
        if (floored)
            units = std::min(feedFloor(), current);
        const double fz = units / kFzUnitsPerMillimetre;
        if (fz < fz_) {
            const std::string text = formatFixed(fz, kFzDecimals);
            change("fz", fzText_, text, "мм/зуб", reason);
            fzText_ = text;
            fz_ = fz;
        }
        return !floored;
    }

    void reportFloor(const std::string& what, double share, const std::string& reason)
    {
        floorReached_ = true;
        form_.LogMessage(std::string(kPrefix) + "уменьшите " + what + " на " + percentText(share)
            + ": fz=" + fzText_ + " мм/зуб дает hm на пределе "
            + formatFixed(kLeastChipThickness, 2) + " мм, а " + reason);
    }

    void fitSpindleSpeed()
    {
        const double n = spindleSpeed(Vc_);
        if (n < maxSpeed_)
            return;
        const double target = kFitMargin * maxSpeed_;
        const long long units
            = largestHolding(static_cast<long long>(std::floor(Vc_ * kVcUnitsPerMetre)),
                [&](long long k) { return spindleSpeed(k / kVcUnitsPerMetre) < target; });
        if (units < 1) {
            // A cutter so thin that no speed of the input's format turns slowly enough.
            floorReached_ = true;
            form_.LogMessage(std::string(kPrefix) + "увеличьте диаметр фрезы D: n="
                + formatFixed(n, 3) + " об/мин не ниже предела станка " + formatFixed(maxSpeed_, 0)
                + " об/мин и при Vc=0.001 м/мин");
            return;
        }
        const double Vc = units / kVcUnitsPerMetre;
        const std::string text = formatFixed(Vc, kVcDecimals);
        change("Vc", VcText_, text, "м/мин",
            "n=" + formatFixed(n, 3) + " об/мин не ниже предела станка " + formatFixed(maxSpeed_, 0)
                + " об/мин");
        VcText_ = text;
        Vc_ = Vc;
    }

    void fitFeed()
    {
        const double F = feed(fz_);
        if (F < maxFeed_)
            return;
        const double target = kFitMargin * maxFeed_;
        const std::string reason = "F=" + formatFixed(F, 2) + " мм/мин не ниже предела станка "
            + formatFixed(maxFeed_, 0) + " мм/мин";
        if (!lowerFeed(
                reason, [&](long long k) { return feed(k / kFzUnitsPerMillimetre) < target; })) {
            const double left = feed(fz_);
            // F grows with n: Vc (or z) must come down by this share.
            reportFloor("скорость резания Vc", 1 - target / left,
                "F=" + formatFixed(left, 2) + " мм/мин не ниже 98 % предела станка "
                    + formatFixed(maxFeed_, 0) + " мм/мин");
        }
    }

    // What the machine delivers at n, and never more than its drive's power
    // (a torque table may promise more below the critical speed).
    double deliveredPower(const Trial& t) const { return std::min(t.Pn, maxPower_); }

    void fitPower()
    {
        const Trial now = trial(VcText_, fzText_);
        const double delivered = deliveredPower(now);
        const double target = kFitMargin * delivered;
        if (now.stopped || now.P < target)
            return;
        const auto reason = [&](double P) {
            return "P=" + formatFixed(P, 5) + " кВт не ниже 98 % мощности станка при n ("
                + formatFixed(delivered, 5) + " кВт)";
        };
        if (!lowerFeed(reason(now.P), [&](long long k) {
                const Trial t = trialAtFeed(k);
                return !t.stopped && t.P < target;
            })) {
            const Trial left = trial(VcText_, fzText_);
            // P grows as ap: ap (or, about as much, ae) must come down by this share.
            reportFloor("ширину ap или глубину ae резания", 1 - target / left.P, reason(left.P));
        }
    }

    FormMain& form_;
    FieldStore& store_;
    double maxSpeed_;
    double maxFeed_;
    double maxPower_;
    double D_;
    int z_;
    std::string VcText_;
    std::string fzText_;
    double Vc_;
    double fz_;
    DetachedForm copy_;
    long long floor_ = -1;
    int changes_ = 0;
    bool floorReached_ = false;
};

} // namespace

void WalterFitToMachine(FormMain& form)
{
    Fit fit(form);
    // Inputs that would stop the calculation are reported by the calculation.
    if (fit.calculable())
        fit.run();
    WalterCalculate(form);
    refreshMachineComparison(form);
}

void BitBtnStFitClick(FormMain& form)
{
    WalterFitToMachine(form);
}

void installMachineFit(FormMain& form)
{
    form.onClick("BitBtnStFit", [&form] { BitBtnStFitClick(form); });
    // The results' context menu fits the Walter cut whatever page is shown,
    // and shows the Walter page it changed.
    form.onClick("N29", [&form] {
        if (form.store().index("PageControlMethods") != 0) {
            form.store().setIndex("PageControlMethods", 0);
            form.resultPageChange();
        }
        WalterFitToMachine(form);
    });
}

} // namespace millcalc
