#include "support/BareFormulas.h"

#include "app/NumberText.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace millcalc::bench {

namespace {

// π of all three methods: the decimal literal.
constexpr double kPi = 3.1415926;

// Surface temperature of the part, °C, by feed (rows) and cutting speed
// (columns); row 0 and column 0 are the headings.
constexpr int kTemperature[10][9] = {
    { 0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000 },
    { 1200, 150, 175, 191, 204, 214, 223, 230, 237 },
    { 2400, 108, 125, 137, 146, 153, 160, 165, 170 },
    { 3600, 89, 104, 112, 119, 125, 130, 134, 139 },
    { 4800, 77, 90, 98, 105, 110, 114, 118, 122 },
    { 6000, 69, 81, 88, 94, 99, 103, 107, 111 },
    { 7200, 64, 74, 81, 87, 91, 95, 99, 102 },
    { 9600, 55, 64, 70, 75, 79, 82, 85, 87 },
    { 10800, 52, 60, 65, 70, 73, 77, 79, 81 },
    { 12000, 49, 57, 62, 66, 69, 72, 74, 76 },
};

int workpieceTemperature(double V, double F)
{
    int column = 1;
    for (int c = 1; c <= 8; ++c) {
        if (V >= kTemperature[0][c])
            column = c;
    }
    int row = 1;
    for (int r = 1; r <= 9; ++r) {
        if (F >= kTemperature[r][0])
            row = r;
    }
    return kTemperature[row][column];
}

// The spindle-load bands of the first two machines: permissible load factor · η kN.
struct LoadBand {
    const char* speedText;
    const char* factorText;
    double factor;
    double upperSpeed;
};
constexpr LoadBand kLoadBands[] = {
    { "6000", "2.00", 2.00, 6000 },
    { "8000", "1.70", 1.70, 8000 },
    { "10000", "1.50", 1.50, 10000 },
    { "12000", "1.35", 1.35, 12000 },
    { "15000", "1.25", 1.25, 15000 },
    { "18000", "1.20", 1.20, 18000 },
};

double loadFactor(double n)
{
    for (const LoadBand& band : kLoadBands) {
        if (n <= band.upperSpeed)
            return band.factor;
    }
    return 1.20;
}

// Kf3 by the tooth count, Kf4 by the overhang ratio L/D, as the titanium
// tables give them; an overhang beyond the table takes the last row's 0.6.
double teethCoefficient(double D, int z)
{
    if (D < 30) {
        const double r = z / 3.0;
        return r <= 0.6 ? 1.5 : r <= 0.85 ? 1.3 : 1.0;
    }
    return z / 5.0 <= 1.75 ? 0.7 : 0.6;
}

double overhangCoefficient(double D, double L)
{
    constexpr double kThresholds[5][5] = { { 1.5, 2.0, 2.5, 3.0, 3.5 }, { 2.0, 2.5, 3.0, 3.5, 4.0 },
        { 2.5, 3.0, 3.5, 4.0, 4.5 }, { 3.0, 3.5, 4.0, 4.5, 5.0 }, { 3.5, 4.0, 4.5, 5.0, 6.0 } };
    constexpr double kCoefficients[5] = { 1.0, 0.9, 0.8, 0.7, 0.6 };
    const int column = D <= 13 ? 0 : D <= 20 ? 1 : D <= 32 ? 2 : D <= 45 ? 3 : 4;
    const double ratio = L / D;
    for (int row = 0; row < 5; ++row) {
        if (kThresholds[row][column] >= ratio)
            return kCoefficients[row];
    }
    return 0.6;
}

// The contact angle by the contact position, and the mean chip thickness,
// exact or approximate; a κ out of range counts as 90.
double chipThickness(double D, double ae, double fz, double kappa, const WalterChoices& choices)
{
    const double ratio = ae / D;
    if (choices.approximate)
        return fz * std::sqrt(ratio);
    double phi = choices.contact == 0
        ? std::asin(ratio) * 114.59156098088593
        : 90 + std::asin((ae - 0.5 * D) / (0.5 * D)) * 57.295780490442965;
    if (phi <= 0)
        phi = 0.001;
    if (kappa <= -180 || kappa >= 180)
        kappa = 90;
    return std::fabs(114.7 * fz * std::sin(kappa * kPi / 180) * ratio) / phi;
}

// The rounded text a step writes, and the value the next step reads back.
double handOver(std::string& text, double value, int decimals)
{
    text = formatFixed(value, decimals);
    return readReal(text);
}

} // namespace

const std::array<const char*, 11> kWalterInputs = { "BaseD", "BaseZ", "BaseB", "BaseT", "BaseVc",
    "Basefz", "EditStk", "EditStGamma0", "EditStKc11", "EditStMc", "ComboBoxStkpd" };
const std::array<const char*, 24> kAluminiumInputs = { "BaseAlD", "BaseAlZ", "BaseAlB", "BaseAlT",
    "ComboBoxTkpd", "EditTkoef1", "EditTX1", "EditTY1", "EditTZ1", "EditTKs", "EditTkoef2",
    "EditTX2", "EditTY2", "EditTZ2", "EditTkoef3", "EditTX3", "EditTY3", "EditTZ3", "EditTsm1",
    "EditTkoef4", "EditTX4", "EditTY4", "EditTZ4", "EditTsm2" };
const std::array<const char*, 9> kTitaniumInputs = { "BaseTiD", "BaseTiZ", "BaseTiB", "BaseTiT",
    "BaseTiL", "BaseTihz", "ComboBoxTiTime", "EditTiPxcoeff", "EditTiPycoeff" };

const std::array<const char*, kWalterTexts> kWalterFields
    = { "EditStn", "EditStVc", "EditStVf", "EditStfz", "EditStQ", "EditaeDc", "EditStk",
          "EditSthm2", "EditStKc", "EditStP", "EditStPn", "EditStM" };
const std::array<const char*, 12> kAluminiumFields = { "EditK", "EdittD", "EditSz", "EditV1",
    "EditV2", "EditV", "Editn", "EditF", "EditTm", "EditPz", "EditMz", "EditNp" };
const std::array<const char*, kTitaniumTexts> kTitaniumFields
    = { "EditTifz", "EditTiVc", "EditTin", "EditTiF", "EditTiPx", "EditTiPy", "EditTiP", "EditTiMz",
          "EditTiNct", "EditTiVsmall", "EditTinsmall", "EditTiFsmall", "EditTiNctsmall" };

WalterResults walterFormulas(const WalterInputs& in, const MachineLimits& m)
{
    WalterResults r {};
    r.n = in.Vc * 1000 / (in.D * kPi);
    r.Vc = in.D * kPi * r.n * 0.001;
    r.Vf = in.fz * in.z * r.n;
    r.fz = r.Vf / (r.n * in.z);
    r.Q = in.ae * in.ap * r.Vf * 0.001;
    r.aeD = in.ae / in.D;
    r.hm = chipThickness(in.D, in.ae, r.fz, in.kappa, in.choices);
    r.kc = (1 - 0.01 * in.gamma0) * in.kc11 / std::pow(r.hm, in.mc);
    r.P = in.ae * in.ap * r.Vf * r.kc / (60000000 * in.eta);
    if (r.n > m.criticalSpindleSpeed) {
        r.Pn = m.maxPower;
        r.M = r.Pn * 1000 * 60 / (6.2831852 * r.n);
    } else {
        r.M = m.maxTorque;
        r.Pn = r.M * 6.2831852 * r.n / 60 * 0.001;
    }
    r.limitsReached = (r.n >= m.maxSpindleSpeed) + (r.Vf >= m.maxFeed) + (r.P >= m.maxPower)
        + (r.Pn >= m.maxPower) + (r.M >= m.maxTorque);
    return r;
}

AluminiumResults aluminiumFormulas(const AluminiumInputs& in, const MachineLimits& m)
{
    AluminiumResults r {};
    const double K = in.B / in.D;
    r.Sz = in.k1 * std::pow(in.D, in.X1) * in.Ks / (std::pow(in.t, in.Y1) * std::pow(in.B, in.Z1));
    r.V1 = in.k2 / (std::pow(r.Sz, in.X2) * std::pow(in.t, in.Y2) * std::pow(K, in.Z2));
    r.V2 = std::pow(m.maxPower * in.eta * K * in.k3
            / (std::pow(in.t, in.X3) * std::pow(r.Sz, in.Y3) * std::pow(in.D, in.Z3)),
        in.m1);
    r.V = std::min(r.V1, r.V2);
    r.n = r.V * 1000 / (kPi * in.D);
    r.F = r.Sz * r.n * in.z;
    r.temperature = workpieceTemperature(r.V, r.F);
    r.Pz = in.k4 * std::pow(in.t, in.X4) * std::pow(r.Sz, in.Y4) * std::pow(in.D, in.Z4)
        / std::pow(r.n, in.m2);
    const bool overloaded = loadFactor(r.n) * in.eta < r.Pz * 0.001;
    r.Mz = r.Pz * in.D / 2000; // N·m: Pz in N at the radius D/2 in mm
    r.Nct = r.Pz * r.V / 61200;
    r.limitsReached = (r.n >= m.maxSpindleSpeed) + (r.F >= m.maxFeed) + (r.temperature >= 140)
        + overloaded + (r.Mz >= m.maxTorque) + (r.Nct >= m.maxPower);
    return r;
}

TitaniumResults titaniumFormulas(const TitaniumInputs& in, const MachineLimits& m)
{
    TitaniumResults r {};
    const TitaniumChoices& c = in.choices;
    const auto pickOf = [](int index, std::initializer_list<double> values) {
        return index >= 0 && index < static_cast<int>(values.size()) ? values.begin()[index] : 1.0;
    };
    const double Kf1 = pickOf(c.toolMaterial, { 1.0, 0.8 });
    const double Kf2 = pickOf(c.surface, { 1.0, 1.0, 0.7 });
    const double Kf4 = overhangCoefficient(in.D, in.L);
    const double Kf5 = pickOf(c.partType, { 0.92, 0.9, 0.7 });
    r.fz = 0.014 * std::pow(in.D, 0.75) * Kf1 * Kf2 * teethCoefficient(in.D, in.z) * Kf4 * Kf5
        / (std::pow(in.t, 0.22) * std::pow(in.B, 0.1));
    if (c.alloy == 0 || c.alloy == 2) {
        r.V = 17.9 * std::pow(in.D, 0.15)
            / (std::pow(in.T, 0.11) * std::pow(in.t, 0.19) * std::pow(r.fz, 0.45)
                * std::pow(in.B, 0.12))
            * (c.alloy == 2 ? 0.8 : 1.0);
    } else {
        const double Kv1 = pickOf(c.toolMaterial, { 1.0, 1.2 });
        const double Kv2 = in.T == 60 ? 1.1 : in.T == 240 ? 0.9 : 1.0;
        const double ratio = in.B / in.D;
        const double Kv3 = ratio <= 0.75 ? 1.2 : ratio <= 1.5 ? 1.0 : 0.8;
        const double Kv5 = pickOf(c.partType, { 1.0, 0.93, 0.85 });
        const double Kv6 = pickOf(c.surface, { 1.0, 0.9, 0.85 });
        const double Kv7 = pickOf(c.skin, { 1.0, 0.7 });
        const double Kv8 = pickOf(c.coolant, { 1.0, 0.8 });
        r.V = 27 * std::pow(in.D, 0.18) * Kv1 * Kv2 * Kv3 * Kf4 * Kv5 * Kv6 * Kv7 * Kv8
            / (std::pow(in.T, 0.12) * std::pow(in.t, 0.6) * std::pow(r.fz, 0.58)
                * std::pow(in.B, 0.29) * std::pow(in.z, 0.1));
    }
    r.n = r.V * 1000 / (in.D * kPi);
    r.F = r.fz * in.z * r.n;
    r.Px = in.Cx * std::pow(r.fz, 0.755) * std::pow(in.t, 0.5) * std::pow(in.B, 0.65)
        * std::pow(in.hz, 0.38);
    r.Py = in.Cy * std::pow(r.fz, 0.3) * std::pow(in.t, 0.17) * std::pow(in.B, 0.32)
        * std::pow(in.hz, 0.75);
    r.P = std::sqrt(r.Px * r.Px + r.Py * r.Py);
    const double Pz = c.force == 0 ? r.Px : c.force == 1 ? r.Py : r.P;
    r.Mz = Pz * in.D / 2000;
    r.Nct = Pz * r.V / 61200;
    r.Vs = c.direction == 0 ? 33.55 * std::pow(in.D, 0.26)
            / (std::pow(in.T, 0.29) * std::pow(in.t, 0.46) * std::pow(r.fz, 0.53))
                            : 13 * std::pow(in.D, 0.26)
            / (std::pow(in.T, 0.45) * std::pow(in.t, 0.77) * std::pow(r.fz, 0.92));
    r.ns = r.Vs * 1000 / (in.D * kPi);
    r.Fs = r.fz * in.z * r.ns;
    r.Ncts = Pz * r.Vs / 61200;
    r.limitsReached = (std::fabs(in.L - in.B) > 10) + (r.n >= m.maxSpindleSpeed)
        + (r.F >= m.maxFeed) + (r.Mz >= m.maxTorque) + (r.Nct >= m.maxPower)
        + (r.ns >= m.maxSpindleSpeed) + (r.Fs >= m.maxFeed) + (r.Ncts >= m.maxPower);
    return r;
}

void walterWithTexts(
    const InputTexts& in, const MachineLimits& m, WalterTexts& out, const WalterChoices& choices)
{
    const double D = readReal(in[0]);
    const int z = readWhole(in[1]);
    const double ap = readReal(in[2]);
    const double ae = readReal(in[3]);
    const double Vc = readReal(in[4]);
    const double fz = readReal(in[5]);
    const double kappa = readReal(in[6]);
    const double gamma0 = readReal(in[7]);
    const double kc11 = readReal(in[8]);
    const double mc = readReal(in[9]);
    const double eta = readReal(in[10]);

    // Speeds and feeds: n and Vf go on unrounded inside the pair of steps.
    const double n = Vc * 1000 / (D * kPi);
    out[0] = formatFixed(n, 3);
    out[1] = formatFixed(D * kPi * n * 0.001, 3);
    const double Vf = fz * z * n;
    const double VfText = handOver(out[2], Vf, 2);
    const double fzText = handOver(out[3], Vf / (n * z), 5);
    // The later steps read the rounded texts back.
    out[4] = formatFixed(ae * ap * VfText * 0.001, 5);
    out[5] = formatFixed(ae / D, 2);
    const double hm = chipThickness(D, ae, fzText, kappa, choices);
    // The approximate mode neither reads nor writes κ.
    if (choices.approximate)
        out[6] = in[6];
    else
        out[6] = formatFixed(kappa > -180 && kappa < 180 ? kappa : 90, 5);
    const double hmText = handOver(out[7], hm, 8);
    const double nText = readReal(out[0]);
    const double kc = (1 - 0.01 * gamma0) * kc11 / std::pow(hmText, mc);
    out[8] = formatFixed(kc, 5);
    out[9] = formatFixed(ae * ap * VfText * kc / (60000000 * eta), 5);
    double Pn = m.maxPower;
    double M = m.maxTorque;
    if (nText > m.criticalSpindleSpeed)
        M = Pn * 1000 * 60 / (6.2831852 * nText);
    else
        Pn = M * 6.2831852 * nText / 60 * 0.001;
    out[10] = formatFixed(Pn, 5);
    out[11] = formatFixed(M, 5);
}

void aluminiumWithTexts(const InputTexts& in, const MachineLimits& m, AluminiumTexts& out)
{
    double v[24];
    for (std::size_t i = 0; i < 24; ++i)
        v[i] = i == 1 ? readWhole(in[i]) : readReal(in[i]);
    const double D = v[0], B = v[2], t = v[3], eta = v[4];
    const int z = static_cast<int>(v[1]);
    const double K = B / D;
    out[0] = formatFixed(K, 2);
    out[1] = formatFixed(t / D, 2);

    const double Sz = handOver(
        out[2], v[5] * std::pow(D, v[6]) * v[9] / (std::pow(t, v[7]) * std::pow(B, v[8])), 3);
    const double V1 = handOver(
        out[3], v[10] / (std::pow(Sz, v[11]) * std::pow(t, v[12]) * std::pow(K, v[13])), 3);
    const double V2 = handOver(out[4],
        std::pow(m.maxPower * eta * K * v[14]
                / (std::pow(t, v[15]) * std::pow(Sz, v[16]) * std::pow(D, v[17])),
            v[18]),
        3);
    const double V = handOver(out[5], std::min(V1, V2), 3);
    const double n = handOver(out[6], V * 1000 / (kPi * D), 3);
    const double F = handOver(out[7], Sz * n * z, 3);
    out[8] = formatWhole(workpieceTemperature(V, F));
    const double force = v[19] * std::pow(t, v[20]) * std::pow(Sz, v[21]) * std::pow(D, v[22])
        / std::pow(n, v[23]);
    // The torque and power steps read the force back from its text; the load
    // check inside the force step takes it unrounded.
    const double Pz = handOver(out[9], force, 2);

    // The spindle-load table: the six bands with the row of the current speed.
    const double P = force * 0.001;
    std::size_t cell = 12;
    bool placed = false;
    const auto speedRow = [&] {
        out[cell++] = "n=" + formatFixed(n, 0);
        out[cell++] = "P=" + formatFixed(P, 3) + " • " + formatFixed(eta, 2) + "="
            + formatFixed(P * eta, 3);
        placed = true;
    };
    for (const LoadBand& band : kLoadBands) {
        if (!placed && n <= band.upperSpeed)
            speedRow();
        out[cell++] = band.speedText;
        out[cell++] = std::string(band.factorText) + " • " + formatFixed(eta, 2) + "  ="
            + formatFixed(band.factor * eta, 2);
    }
    if (!placed)
        speedRow();

    out[10] = formatFixed(Pz * D / 2000, 2);
    out[11] = formatFixed(Pz * V / 61200, 2);
}

void titaniumWithTexts(const InputTexts& in, const MachineLimits& m, TitaniumTexts& out,
    const TitaniumChoices& choices)
{
    TitaniumInputs t {};
    t.choices = choices;
    t.D = readReal(in[0]);
    t.z = readWhole(in[1]);
    t.B = readReal(in[2]);
    t.t = readReal(in[3]);
    t.L = readReal(in[4]);
    t.hz = readReal(in[5]);
    t.T = readReal(in[6]);
    t.Cx = readWhole(in[7]);
    t.Cy = readWhole(in[8]);
    // The titanium calculation carries full precision: its texts are display only.
    const TitaniumResults r = titaniumFormulas(t, m);
    const double values[kTitaniumTexts]
        = { r.fz, r.V, r.n, r.F, r.Px, r.Py, r.P, r.Mz, r.Nct, r.Vs, r.ns, r.Fs, r.Ncts };
    constexpr int kDecimals[kTitaniumTexts] = { 5, 3, 3, 2, 2, 2, 2, 2, 2, 3, 3, 2, 2 };
    for (int i = 0; i < kTitaniumTexts; ++i)
        out[static_cast<std::size_t>(i)] = formatFixed(values[i], kDecimals[i]);
}

} // namespace millcalc::bench
