#include "titanium/TitaniumFormulas.h"

#include "app/CuttingTorque.h"
#include "app/Pi.h"
#include "titanium/TitaniumCoefficients.h"

#include <cmath>

namespace millcalc::titanium {

TitaniumFactors titaniumFactors(const TitaniumInputs& in)
{
    TitaniumFactors k;
    k.Kf1 = factorOfItem(kKf1, in.toolMaterial);
    k.Kf2 = factorOfItem(kKf2, in.surface);
    k.Kf3 = teethFactor(in.diameterMm, in.teeth);
    const OverhangFactor overhang = overhangFactor(in.diameterMm, in.overhangMm);
    k.Kf4 = overhang.kf4;
    k.overhangBeyondTable = overhang.beyondTable;
    k.Kf5 = factorOfItem(kKf5, in.partType);
    k.Kv1 = factorOfItem(kKv1, in.toolMaterial);
    k.Kv2 = toolLifeFactor(in.toolLifeMin);
    k.Kv3 = widthFactor(in.widthMm / in.diameterMm);
    k.Kv5 = factorOfItem(kKv5, in.partType);
    k.Kv6 = factorOfItem(kKv6, in.surface);
    k.Kv7 = factorOfItem(kKv7, in.skin);
    k.Kv8 = factorOfItem(kKv8, in.coolant);
    return k;
}

TitaniumResults computeTitanium(const TitaniumInputs& in)
{
    using std::pow;
    TitaniumResults r;
    const TitaniumFactors& k = r.factors = titaniumFactors(in);
    const double D = in.diameterMm;
    const double z = in.teeth;
    const double B = in.widthMm;
    const double t = in.depthMm;
    const double T = in.toolLifeMin;
    const double hz = in.wearMm;

    r.fz = kFeed.C * pow(D, kFeed.diameterExponent) * k.Kf1 * k.Kf2 * k.Kf3 * k.Kf4 * k.Kf5
        / (pow(t, kFeed.depthExponent) * pow(B, kFeed.widthExponent));

    const AlloySpeed& s = alloySpeed(in.alloy);
    const double K
        = s.speedFactors ? k.Kv1 * k.Kv2 * k.Kv3 * k.Kf4 * k.Kv5 * k.Kv6 * k.Kv7 * k.Kv8 : 1.0;
    r.V = s.Cv * pow(D, s.a) * K * s.M
        / (pow(T, s.b) * pow(t, s.c) * pow(r.fz, s.d) * pow(B, s.e) * pow(z, s.g));
    r.n = r.V * 1000.0 / (D * kPi);
    r.F = r.fz * z * r.n;

    r.Px = in.cx * pow(r.fz, kPxExponents.fz) * pow(t, kPxExponents.t) * pow(B, kPxExponents.B)
        * pow(hz, kPxExponents.hz);
    r.Py = in.cy * pow(r.fz, kPyExponents.fz) * pow(t, kPyExponents.t) * pow(B, kPyExponents.B)
        * pow(hz, kPyExponents.hz);
    r.P = std::sqrt(r.Px * r.Px + r.Py * r.Py);
    r.Pz = in.forceChoice == 0 ? r.Px : in.forceChoice == 1 ? r.Py : r.P;

    r.Mz = cuttingTorqueNm(r.Pz, D);
    r.Nct = r.Pz * r.V / kPowerDivisor;

    // The low-rigidity variant keeps fz, z and Pz and takes its own speed.
    const LowRigiditySpeed& ls = lowRigiditySpeed(in.direction);
    r.Vs = ls.Cs * pow(D, kLowRigidityDiameterExponent)
        / (pow(T, ls.b) * pow(t, ls.c) * pow(r.fz, ls.d));
    r.ns = r.Vs * 1000.0 / (D * kPi);
    r.Fs = r.fz * z * r.ns;
    r.Ncts = r.Pz * r.Vs / kPowerDivisor;
    return r;
}

} // namespace millcalc::titanium
