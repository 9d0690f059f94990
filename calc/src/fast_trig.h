// Sine, cosine and arctangent of a double in radians for the inner loops of
// the series and the house routines.  x = n (2 pi / 256) + h, with the sine
// and cosine of n 2pi/256 from a table (to twice double precision) and short
// series for h (|h| <= pi/256): no calls and no branch on the quadrant.
// Within two ulps of the C library's sin and cos (the two differ in about one
// argument in seventy); signs are exact, so an arctangent's quadrant comes out
// the same.  Non-finite arguments and |x| >= 2^19 go to the C library.
// Not exported; the tables are constants.
#pragma once

#include "internal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qv {

namespace fast_trig {

// sin(2 pi k / 256), k = 0..255, as the nearest double and the remainder
// (the exact value to about 2^-106); cos(2 pi k / 256) is entry k + 64.
struct TableEntry {
    double Hi, Lo;
};
inline constexpr TableEntry kSinTable[256] = {
    {0.0, 0.0}, {0x1.92155f7a3667ep-6, -0x1.b1d63091a0130p-64},
    {0x1.91f65f10dd814p-5, -0x1.912bd0d569a90p-61}, {0x1.2d52092ce19f6p-4, -0x1.9a088a8bf6b2cp-59},
    {0x1.917a6bc29b42cp-4, -0x1.e2718d26ed688p-60}, {0x1.f564e56a9730ep-4, 0x1.a2704729ae56dp-59},
    {0x1.2c8106e8e613ap-3, 0x1.13000a89a11e0p-58}, {0x1.5e214448b3fc6p-3, 0x1.531ff779ddac6p-57},
    {0x1.8f8b83c69a60bp-3, -0x1.26d19b9ff8d82p-57}, {0x1.c0b826a7e4f63p-3, -0x1.af1439e521935p-62},
    {0x1.f19f97b215f1bp-3, -0x1.42deef11da2c4p-57}, {0x1.111d262b1f677p-2, 0x1.824c20ab7aa9ap-56},
    {0x1.294062ed59f06p-2, -0x1.5d28da2c4612dp-56}, {0x1.4135c94176601p-2, 0x1.0c97c4afa2518p-56},
    {0x1.58f9a75ab1fddp-2, -0x1.efdc0d58cf620p-62}, {0x1.7088530fa459fp-2, -0x1.44b19e0864c5dp-56},
    {0x1.87de2a6aea963p-2, -0x1.72cedd3d5a610p-57}, {0x1.9ef7943a8ed8ap-2, 0x1.6da81290bdbabp-57},
    {0x1.b5d1009e15cc0p-2, 0x1.5b362cb974183p-57}, {0x1.cc66e9931c45ep-2, 0x1.6850e59c37f8fp-58},
    {0x1.e2b5d3806f63bp-2, 0x1.e0d891d3c6841p-58}, {0x1.f8ba4dbf89abap-2, -0x1.2ec1fc1b776b8p-60},
    {0x1.073879922ffeep-1, -0x1.a5a014347406cp-55}, {0x1.11eb3541b4b23p-1, -0x1.ef23b69abe4f1p-55},
    {0x1.1c73b39ae68c8p-1, 0x1.b25dd267f6600p-55}, {0x1.26d054cdd12dfp-1, -0x1.5da743ef3770cp-55},
    {0x1.30ff7fce17035p-1, -0x1.efcc626f74a6fp-57}, {0x1.3affa292050b9p-1, 0x1.e3e25e3954964p-56},
    {0x1.44cf325091dd6p-1, 0x1.8076a2cfdc6b3p-57}, {0x1.4e6cabbe3e5e9p-1, 0x1.3c293edceb327p-57},
    {0x1.57d69348ceca0p-1, -0x1.75720992bfbb2p-55}, {0x1.610b7551d2cdfp-1, -0x1.251b352ff2a37p-56},
    {0x1.6a09e667f3bcdp-1, -0x1.bdd3413b26456p-55}, {0x1.72d0837efff96p-1, 0x1.0d4ef0f1d915cp-55},
    {0x1.7b5df226aafafp-1, -0x1.0f537acdf0ad7p-56}, {0x1.83b0e0bff976ep-1, -0x1.6f420f8ea3475p-56},
    {0x1.8bc806b151741p-1, -0x1.2c5e12ed1336dp-55}, {0x1.93a22499263fbp-1, 0x1.3d419a920df0bp-55},
    {0x1.9b3e047f38741p-1, -0x1.30ee286712474p-55}, {0x1.a29a7a0462782p-1, -0x1.128bb015df175p-56},
    {0x1.a9b66290ea1a3p-1, 0x1.9f630e8b6dac8p-60}, {0x1.b090a58150200p-1, -0x1.926da300ffccep-55},
    {0x1.b728345196e3ep-1, -0x1.bc69f324e6d61p-55}, {0x1.bd7c0ac6f952ap-1, -0x1.825a732ac700ap-55},
    {0x1.c38b2f180bdb1p-1, -0x1.6e0b1757c8d07p-56}, {0x1.c954b213411f5p-1, -0x1.2fb761e946603p-58},
    {0x1.ced7af43cc773p-1, -0x1.e7b6bb5ab58aep-58}, {0x1.d4134d14dc93ap-1, -0x1.4ef5295d25af2p-55},
    {0x1.d906bcf328d46p-1, 0x1.457e610231ac2p-56}, {0x1.ddb13b6ccc23cp-1, 0x1.83c37c6107db3p-55},
    {0x1.e212104f686e5p-1, -0x1.014c76c126527p-55}, {0x1.e6288ec48e112p-1, -0x1.16b56f2847754p-57},
    {0x1.e9f4156c62ddap-1, 0x1.760b1e2e3f81ep-55}, {0x1.ed740e7684963p-1, 0x1.e82c791f59cc2p-56},
    {0x1.f0a7efb9230d7p-1, 0x1.52c7adc6b4989p-56}, {0x1.f38f3ac64e589p-1, -0x1.d7bafb51f72e6p-56},
    {0x1.f6297cff75cb0p-1, 0x1.562172a361fd3p-56}, {0x1.f8764fa714ba9p-1, 0x1.ab256778ffcb6p-56},
    {0x1.fa7557f08a517p-1, -0x1.7a0a8ca13571fp-55}, {0x1.fc26470e19fd3p-1, 0x1.1ec8668ecaceep-55},
    {0x1.fd88da3d12526p-1, -0x1.87df6378811c7p-55}, {0x1.fe9cdad01883ap-1, 0x1.521ecd0c67e35p-57},
    {0x1.ff621e3796d7ep-1, -0x1.c57bc2e24aa15p-57}, {0x1.ffd886084cd0dp-1, -0x1.1354d4556e4cbp-55},
    {0x1.0000000000000p+0, -0x1.802b9cd7deef1p-260}, {0x1.ffd886084cd0dp-1, -0x1.1354d4556e4cbp-55},
    {0x1.ff621e3796d7ep-1, -0x1.c57bc2e24aa15p-57}, {0x1.fe9cdad01883ap-1, 0x1.521ecd0c67e35p-57},
    {0x1.fd88da3d12526p-1, -0x1.87df6378811c7p-55}, {0x1.fc26470e19fd3p-1, 0x1.1ec8668ecaceep-55},
    {0x1.fa7557f08a517p-1, -0x1.7a0a8ca13571fp-55}, {0x1.f8764fa714ba9p-1, 0x1.ab256778ffcb6p-56},
    {0x1.f6297cff75cb0p-1, 0x1.562172a361fd3p-56}, {0x1.f38f3ac64e589p-1, -0x1.d7bafb51f72e6p-56},
    {0x1.f0a7efb9230d7p-1, 0x1.52c7adc6b4989p-56}, {0x1.ed740e7684963p-1, 0x1.e82c791f59cc2p-56},
    {0x1.e9f4156c62ddap-1, 0x1.760b1e2e3f81ep-55}, {0x1.e6288ec48e112p-1, -0x1.16b56f2847754p-57},
    {0x1.e212104f686e5p-1, -0x1.014c76c126527p-55}, {0x1.ddb13b6ccc23cp-1, 0x1.83c37c6107db3p-55},
    {0x1.d906bcf328d46p-1, 0x1.457e610231ac2p-56}, {0x1.d4134d14dc93ap-1, -0x1.4ef5295d25af2p-55},
    {0x1.ced7af43cc773p-1, -0x1.e7b6bb5ab58aep-58}, {0x1.c954b213411f5p-1, -0x1.2fb761e946603p-58},
    {0x1.c38b2f180bdb1p-1, -0x1.6e0b1757c8d07p-56}, {0x1.bd7c0ac6f952ap-1, -0x1.825a732ac700ap-55},
    {0x1.b728345196e3ep-1, -0x1.bc69f324e6d61p-55}, {0x1.b090a58150200p-1, -0x1.926da300ffccep-55},
    {0x1.a9b66290ea1a3p-1, 0x1.9f630e8b6dac8p-60}, {0x1.a29a7a0462782p-1, -0x1.128bb015df175p-56},
    {0x1.9b3e047f38741p-1, -0x1.30ee286712474p-55}, {0x1.93a22499263fbp-1, 0x1.3d419a920df0bp-55},
    {0x1.8bc806b151741p-1, -0x1.2c5e12ed1336dp-55}, {0x1.83b0e0bff976ep-1, -0x1.6f420f8ea3475p-56},
    {0x1.7b5df226aafafp-1, -0x1.0f537acdf0ad7p-56}, {0x1.72d0837efff96p-1, 0x1.0d4ef0f1d915cp-55},
    {0x1.6a09e667f3bcdp-1, -0x1.bdd3413b26456p-55}, {0x1.610b7551d2cdfp-1, -0x1.251b352ff2a37p-56},
    {0x1.57d69348ceca0p-1, -0x1.75720992bfbb2p-55}, {0x1.4e6cabbe3e5e9p-1, 0x1.3c293edceb327p-57},
    {0x1.44cf325091dd6p-1, 0x1.8076a2cfdc6b3p-57}, {0x1.3affa292050b9p-1, 0x1.e3e25e3954964p-56},
    {0x1.30ff7fce17035p-1, -0x1.efcc626f74a6fp-57}, {0x1.26d054cdd12dfp-1, -0x1.5da743ef3770cp-55},
    {0x1.1c73b39ae68c8p-1, 0x1.b25dd267f6600p-55}, {0x1.11eb3541b4b23p-1, -0x1.ef23b69abe4f1p-55},
    {0x1.073879922ffeep-1, -0x1.a5a014347406cp-55}, {0x1.f8ba4dbf89abap-2, -0x1.2ec1fc1b776b8p-60},
    {0x1.e2b5d3806f63bp-2, 0x1.e0d891d3c6841p-58}, {0x1.cc66e9931c45ep-2, 0x1.6850e59c37f8fp-58},
    {0x1.b5d1009e15cc0p-2, 0x1.5b362cb974183p-57}, {0x1.9ef7943a8ed8ap-2, 0x1.6da81290bdbabp-57},
    {0x1.87de2a6aea963p-2, -0x1.72cedd3d5a610p-57}, {0x1.7088530fa459fp-2, -0x1.44b19e0864c5dp-56},
    {0x1.58f9a75ab1fddp-2, -0x1.efdc0d58cf620p-62}, {0x1.4135c94176601p-2, 0x1.0c97c4afa2518p-56},
    {0x1.294062ed59f06p-2, -0x1.5d28da2c4612dp-56}, {0x1.111d262b1f677p-2, 0x1.824c20ab7aa9ap-56},
    {0x1.f19f97b215f1bp-3, -0x1.42deef11da2c4p-57}, {0x1.c0b826a7e4f63p-3, -0x1.af1439e521935p-62},
    {0x1.8f8b83c69a60bp-3, -0x1.26d19b9ff8d82p-57}, {0x1.5e214448b3fc6p-3, 0x1.531ff779ddac6p-57},
    {0x1.2c8106e8e613ap-3, 0x1.13000a89a11e0p-58}, {0x1.f564e56a9730ep-4, 0x1.a2704729ae56dp-59},
    {0x1.917a6bc29b42cp-4, -0x1.e2718d26ed688p-60}, {0x1.2d52092ce19f6p-4, -0x1.9a088a8bf6b2cp-59},
    {0x1.91f65f10dd814p-5, -0x1.912bd0d569a90p-61}, {0x1.92155f7a3667ep-6, -0x1.b1d63091a0130p-64},
    {0.0, 0.0}, {-0x1.92155f7a3667ep-6, 0x1.b1d63091a0130p-64},
    {-0x1.91f65f10dd814p-5, 0x1.912bd0d569a90p-61}, {-0x1.2d52092ce19f6p-4, 0x1.9a088a8bf6b2cp-59},
    {-0x1.917a6bc29b42cp-4, 0x1.e2718d26ed688p-60}, {-0x1.f564e56a9730ep-4, -0x1.a2704729ae56dp-59},
    {-0x1.2c8106e8e613ap-3, -0x1.13000a89a11e0p-58}, {-0x1.5e214448b3fc6p-3, -0x1.531ff779ddac6p-57},
    {-0x1.8f8b83c69a60bp-3, 0x1.26d19b9ff8d82p-57}, {-0x1.c0b826a7e4f63p-3, 0x1.af1439e521935p-62},
    {-0x1.f19f97b215f1bp-3, 0x1.42deef11da2c4p-57}, {-0x1.111d262b1f677p-2, -0x1.824c20ab7aa9ap-56},
    {-0x1.294062ed59f06p-2, 0x1.5d28da2c4612dp-56}, {-0x1.4135c94176601p-2, -0x1.0c97c4afa2518p-56},
    {-0x1.58f9a75ab1fddp-2, 0x1.efdc0d58cf620p-62}, {-0x1.7088530fa459fp-2, 0x1.44b19e0864c5dp-56},
    {-0x1.87de2a6aea963p-2, 0x1.72cedd3d5a610p-57}, {-0x1.9ef7943a8ed8ap-2, -0x1.6da81290bdbabp-57},
    {-0x1.b5d1009e15cc0p-2, -0x1.5b362cb974183p-57}, {-0x1.cc66e9931c45ep-2, -0x1.6850e59c37f8fp-58},
    {-0x1.e2b5d3806f63bp-2, -0x1.e0d891d3c6841p-58}, {-0x1.f8ba4dbf89abap-2, 0x1.2ec1fc1b776b8p-60},
    {-0x1.073879922ffeep-1, 0x1.a5a014347406cp-55}, {-0x1.11eb3541b4b23p-1, 0x1.ef23b69abe4f1p-55},
    {-0x1.1c73b39ae68c8p-1, -0x1.b25dd267f6600p-55}, {-0x1.26d054cdd12dfp-1, 0x1.5da743ef3770cp-55},
    {-0x1.30ff7fce17035p-1, 0x1.efcc626f74a6fp-57}, {-0x1.3affa292050b9p-1, -0x1.e3e25e3954964p-56},
    {-0x1.44cf325091dd6p-1, -0x1.8076a2cfdc6b3p-57}, {-0x1.4e6cabbe3e5e9p-1, -0x1.3c293edceb327p-57},
    {-0x1.57d69348ceca0p-1, 0x1.75720992bfbb2p-55}, {-0x1.610b7551d2cdfp-1, 0x1.251b352ff2a37p-56},
    {-0x1.6a09e667f3bcdp-1, 0x1.bdd3413b26456p-55}, {-0x1.72d0837efff96p-1, -0x1.0d4ef0f1d915cp-55},
    {-0x1.7b5df226aafafp-1, 0x1.0f537acdf0ad7p-56}, {-0x1.83b0e0bff976ep-1, 0x1.6f420f8ea3475p-56},
    {-0x1.8bc806b151741p-1, 0x1.2c5e12ed1336dp-55}, {-0x1.93a22499263fbp-1, -0x1.3d419a920df0bp-55},
    {-0x1.9b3e047f38741p-1, 0x1.30ee286712474p-55}, {-0x1.a29a7a0462782p-1, 0x1.128bb015df175p-56},
    {-0x1.a9b66290ea1a3p-1, -0x1.9f630e8b6dac8p-60}, {-0x1.b090a58150200p-1, 0x1.926da300ffccep-55},
    {-0x1.b728345196e3ep-1, 0x1.bc69f324e6d61p-55}, {-0x1.bd7c0ac6f952ap-1, 0x1.825a732ac700ap-55},
    {-0x1.c38b2f180bdb1p-1, 0x1.6e0b1757c8d07p-56}, {-0x1.c954b213411f5p-1, 0x1.2fb761e946603p-58},
    {-0x1.ced7af43cc773p-1, 0x1.e7b6bb5ab58aep-58}, {-0x1.d4134d14dc93ap-1, 0x1.4ef5295d25af2p-55},
    {-0x1.d906bcf328d46p-1, -0x1.457e610231ac2p-56}, {-0x1.ddb13b6ccc23cp-1, -0x1.83c37c6107db3p-55},
    {-0x1.e212104f686e5p-1, 0x1.014c76c126527p-55}, {-0x1.e6288ec48e112p-1, 0x1.16b56f2847754p-57},
    {-0x1.e9f4156c62ddap-1, -0x1.760b1e2e3f81ep-55}, {-0x1.ed740e7684963p-1, -0x1.e82c791f59cc2p-56},
    {-0x1.f0a7efb9230d7p-1, -0x1.52c7adc6b4989p-56}, {-0x1.f38f3ac64e589p-1, 0x1.d7bafb51f72e6p-56},
    {-0x1.f6297cff75cb0p-1, -0x1.562172a361fd3p-56}, {-0x1.f8764fa714ba9p-1, -0x1.ab256778ffcb6p-56},
    {-0x1.fa7557f08a517p-1, 0x1.7a0a8ca13571fp-55}, {-0x1.fc26470e19fd3p-1, -0x1.1ec8668ecaceep-55},
    {-0x1.fd88da3d12526p-1, 0x1.87df6378811c7p-55}, {-0x1.fe9cdad01883ap-1, -0x1.521ecd0c67e35p-57},
    {-0x1.ff621e3796d7ep-1, 0x1.c57bc2e24aa15p-57}, {-0x1.ffd886084cd0dp-1, 0x1.1354d4556e4cbp-55},
    {-0x1.0000000000000p+0, 0x1.802b9cd7deef1p-260}, {-0x1.ffd886084cd0dp-1, 0x1.1354d4556e4cbp-55},
    {-0x1.ff621e3796d7ep-1, 0x1.c57bc2e24aa15p-57}, {-0x1.fe9cdad01883ap-1, -0x1.521ecd0c67e35p-57},
    {-0x1.fd88da3d12526p-1, 0x1.87df6378811c7p-55}, {-0x1.fc26470e19fd3p-1, -0x1.1ec8668ecaceep-55},
    {-0x1.fa7557f08a517p-1, 0x1.7a0a8ca13571fp-55}, {-0x1.f8764fa714ba9p-1, -0x1.ab256778ffcb6p-56},
    {-0x1.f6297cff75cb0p-1, -0x1.562172a361fd3p-56}, {-0x1.f38f3ac64e589p-1, 0x1.d7bafb51f72e6p-56},
    {-0x1.f0a7efb9230d7p-1, -0x1.52c7adc6b4989p-56}, {-0x1.ed740e7684963p-1, -0x1.e82c791f59cc2p-56},
    {-0x1.e9f4156c62ddap-1, -0x1.760b1e2e3f81ep-55}, {-0x1.e6288ec48e112p-1, 0x1.16b56f2847754p-57},
    {-0x1.e212104f686e5p-1, 0x1.014c76c126527p-55}, {-0x1.ddb13b6ccc23cp-1, -0x1.83c37c6107db3p-55},
    {-0x1.d906bcf328d46p-1, -0x1.457e610231ac2p-56}, {-0x1.d4134d14dc93ap-1, 0x1.4ef5295d25af2p-55},
    {-0x1.ced7af43cc773p-1, 0x1.e7b6bb5ab58aep-58}, {-0x1.c954b213411f5p-1, 0x1.2fb761e946603p-58},
    {-0x1.c38b2f180bdb1p-1, 0x1.6e0b1757c8d07p-56}, {-0x1.bd7c0ac6f952ap-1, 0x1.825a732ac700ap-55},
    {-0x1.b728345196e3ep-1, 0x1.bc69f324e6d61p-55}, {-0x1.b090a58150200p-1, 0x1.926da300ffccep-55},
    {-0x1.a9b66290ea1a3p-1, -0x1.9f630e8b6dac8p-60}, {-0x1.a29a7a0462782p-1, 0x1.128bb015df175p-56},
    {-0x1.9b3e047f38741p-1, 0x1.30ee286712474p-55}, {-0x1.93a22499263fbp-1, -0x1.3d419a920df0bp-55},
    {-0x1.8bc806b151741p-1, 0x1.2c5e12ed1336dp-55}, {-0x1.83b0e0bff976ep-1, 0x1.6f420f8ea3475p-56},
    {-0x1.7b5df226aafafp-1, 0x1.0f537acdf0ad7p-56}, {-0x1.72d0837efff96p-1, -0x1.0d4ef0f1d915cp-55},
    {-0x1.6a09e667f3bcdp-1, 0x1.bdd3413b26456p-55}, {-0x1.610b7551d2cdfp-1, 0x1.251b352ff2a37p-56},
    {-0x1.57d69348ceca0p-1, 0x1.75720992bfbb2p-55}, {-0x1.4e6cabbe3e5e9p-1, -0x1.3c293edceb327p-57},
    {-0x1.44cf325091dd6p-1, -0x1.8076a2cfdc6b3p-57}, {-0x1.3affa292050b9p-1, -0x1.e3e25e3954964p-56},
    {-0x1.30ff7fce17035p-1, 0x1.efcc626f74a6fp-57}, {-0x1.26d054cdd12dfp-1, 0x1.5da743ef3770cp-55},
    {-0x1.1c73b39ae68c8p-1, -0x1.b25dd267f6600p-55}, {-0x1.11eb3541b4b23p-1, 0x1.ef23b69abe4f1p-55},
    {-0x1.073879922ffeep-1, 0x1.a5a014347406cp-55}, {-0x1.f8ba4dbf89abap-2, 0x1.2ec1fc1b776b8p-60},
    {-0x1.e2b5d3806f63bp-2, -0x1.e0d891d3c6841p-58}, {-0x1.cc66e9931c45ep-2, -0x1.6850e59c37f8fp-58},
    {-0x1.b5d1009e15cc0p-2, -0x1.5b362cb974183p-57}, {-0x1.9ef7943a8ed8ap-2, -0x1.6da81290bdbabp-57},
    {-0x1.87de2a6aea963p-2, 0x1.72cedd3d5a610p-57}, {-0x1.7088530fa459fp-2, 0x1.44b19e0864c5dp-56},
    {-0x1.58f9a75ab1fddp-2, 0x1.efdc0d58cf620p-62}, {-0x1.4135c94176601p-2, -0x1.0c97c4afa2518p-56},
    {-0x1.294062ed59f06p-2, 0x1.5d28da2c4612dp-56}, {-0x1.111d262b1f677p-2, -0x1.824c20ab7aa9ap-56},
    {-0x1.f19f97b215f1bp-3, 0x1.42deef11da2c4p-57}, {-0x1.c0b826a7e4f63p-3, 0x1.af1439e521935p-62},
    {-0x1.8f8b83c69a60bp-3, 0x1.26d19b9ff8d82p-57}, {-0x1.5e214448b3fc6p-3, -0x1.531ff779ddac6p-57},
    {-0x1.2c8106e8e613ap-3, -0x1.13000a89a11e0p-58}, {-0x1.f564e56a9730ep-4, -0x1.a2704729ae56dp-59},
    {-0x1.917a6bc29b42cp-4, 0x1.e2718d26ed688p-60}, {-0x1.2d52092ce19f6p-4, 0x1.9a088a8bf6b2cp-59},
    {-0x1.91f65f10dd814p-5, 0x1.912bd0d569a90p-61}, {-0x1.92155f7a3667ep-6, 0x1.b1d63091a0130p-64},
};

// 2 pi / 256 in three parts, the first two of 27 bits: n times either is
// exact for |n| < 2^26, and x - n * kStep1 is exact below 2^19.
inline constexpr double kStep1 = 0x1.921fb54p-6, kStep2 = 0x1.10b461p-36, kStep3 = 0x1.a62633145c06ep-64;
inline constexpr double kStepsPerRadian = 40.743665431525208;  // 256 / (2 pi)
inline constexpr double kToInt = 6755399441055744.0;           // 1.5 * 2^52: adding it rounds to an integer
inline constexpr double kLimit = 524288.0;                      // 2^19

}  // namespace fast_trig

// The kernel alone, for |x| < 2^19; it keeps every digit down to the
// smallest arguments, but not the sign of a zero sine.
inline SinCosPair FastSinCosBelowLimit(double x)
{
    using namespace fast_trig;
    const double fn = (x * kStepsPerRadian + kToInt) - kToInt;
    const double h = ((x - fn * kStep1) - fn * kStep2) - fn * kStep3;
    const unsigned j = static_cast<unsigned>(static_cast<int>(fn)) & 255u;
    const TableEntry s0 = kSinTable[j], c0 = kSinTable[(j + 64) & 255u];
    // The series in pairs of terms (h^4 alongside h^2), which shortens the
    // chain of dependent steps.
    const double h2 = h * h, h4 = h2 * h2;
    const double sinH = h + (h * h2) * ((-1.0 / 6 + h2 * (1.0 / 120)) + h4 * (-1.0 / 5040));
    const double cosHm1 = h2 * ((-0.5 + h2 * (1.0 / 24)) + h4 * (-1.0 / 720));
    return {s0.Hi + ((s0.Lo + s0.Hi * cosHm1) + c0.Hi * sinH), c0.Hi + ((c0.Lo + c0.Hi * cosHm1) - s0.Hi * sinH)};
}

// Sine and cosine of a small angle, |x| <= pi/6 (NaN passes through), by
// their Taylor series alone (to x^15 and x^14; the first terms left out are
// under a hundredth of an ulp): no reduction and no table, so the result
// waits on a few multiplications only.  Within an ulp of the exact values.
inline SinCosPair SmallSinCos(double x)
{
    const double z = x * x, z2 = z * z, z4 = z2 * z2;
    const double s = (-1.0 / 6 + z * (1.0 / 120)) + z2 * (-1.0 / 5040 + z * (1.0 / 362880)) +
                     z4 * ((-1.0 / 39916800 + z * (1.0 / 6227020800)) + z2 * (-1.0 / 1307674368000));
    const double c = (-1.0 / 2 + z * (1.0 / 24)) + z2 * (-1.0 / 720 + z * (1.0 / 40320)) +
                     z4 * ((-1.0 / 3628800 + z * (1.0 / 479001600)) + z2 * (-1.0 / 87178291200));
    return {x + (x * z) * s, 1.0 + z * c};
}

inline SinCosPair FastSinCos(double x)
{
    if (!(std::fabs(x) < fast_trig::kLimit)) return {std::sin(x), std::cos(x)};
    if (std::fabs(x) < 0x1p-27) return {x, 1.0};  // exact to double rounding, the sign of 0 kept
    return FastSinCosBelowLimit(x);
}

// Sine and cosine of x + a from those of x and of a by the sum formulas,
// within a few ulps of FastSinCos(x + a) and a sine's latency shorter.  A
// sum that cancels to exactly 0 would leave a quadrant to the sign of a
// zero; there the rounded x + a, whose sine and cosine are never exactly 0
// unless it is, decides instead.
// `sum` gives x + a, which only that case needs.
template <class Sum>
inline SinCosPair FastSinCosSum(SinCosPair sx, SinCosPair sa, Sum sum)
{
    const double s = sx.Sin * sa.Cos + sx.Cos * sa.Sin, c = sx.Cos * sa.Cos - sx.Sin * sa.Sin;
    // One test for both zeros: s and c cannot both be so small that their
    // product underflows.
    if (s * c == 0) return FastSinCos(sum());
    return {s, c};
}

inline double FastSin(double x) { return FastSinCos(x).Sin; }
// The kernel's cosine of a tiny argument is 1 exactly, so the cosine needs
// no test for one.
inline double FastCos(double x)
{
    if (!(std::fabs(x) < fast_trig::kLimit)) return std::cos(x);
    return FastSinCosBelowLimit(x).Cos;
}

namespace fast_trig {

// atan(k / 16), k = 0..16, as the nearest double and the remainder.
inline constexpr TableEntry kAtanTable[17] = {
    {0.0, 0.0},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.0657e94db30d0p-1, -0x1.d5b495f6349e6p-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};
inline constexpr double kHalfPiHi = 0x1.921fb54442d18p+0, kHalfPiLo = 0x1.1a62633145c07p-54;
inline constexpr double kHuge = 0x1p1000;  // below it, products with a table node cannot overflow

}  // namespace fast_trig

// The arctangent in radians, within two ulps of the exact function: |x|
// above 1 through pi/2 - atan(1/|x|), then atan(c) from the table for the
// nearest c = k/16 and a short series for atan((t - c) / (1 + t c))
// (|argument| <= 1/32).  Odd (the sign of 0 kept), atan(+-inf) = +-pi/2 as
// the double nearest, NaN gives NaN.
inline double FastAtan(double x)
{
    using namespace fast_trig;
    if (std::isnan(x)) return x;
    const double ax = std::fabs(x);
    const bool inverted = ax > 1.0;
    const double t = inverted ? 1.0 / ax : ax;
    const double fk = (t * 16.0 + kToInt) - kToInt;
    const double c = fk * 0.0625;
    const double u = (t - c) / (1.0 + t * c);
    const double u2 = u * u;
    const double series =
        u + u * u2 * (-1.0 / 3 + u2 * (1.0 / 5 + u2 * (-1.0 / 7 + u2 * (1.0 / 9 + u2 * (-1.0 / 11)))));
    const TableEntry a = kAtanTable[static_cast<int>(fk)];
    const double r = inverted ? kHalfPiHi + ((kHalfPiLo - a.Lo) - series - a.Hi) : a.Hi + (a.Lo + series);
    return std::copysign(r, x);
}

// Quadrant of internal.h with FastAtan.
inline double FastQuadrant(double q, double sign)
{
    double a = FastAtan(q);
    if (a < 0) a += kPi;
    if (sign < 0) a += kPi;
    return a;
}

namespace fast_trig {

// atan(a / b) for 0 < a <= b < kHuge, in [0, pi/4], and its complement
// pi/2 - atan(a / b) when `complement`: t = a / b picks the table node c,
// and the series argument (t - c) / (1 + t c) is taken as (a - c b) /
// (b + c a).  Two divisions in a row where the quotient form has three or
// four (the quotient, its reciprocal above 1, the series argument), which
// is most of an arctangent's latency; for the same reason the series is
// summed in pairs of terms (Estrin's scheme), not one term after another.
// 0 only when a / b is below the smallest double.
[[gnu::always_inline]] inline double AtanOfRatio(double a, double b, bool complement)
{
    constexpr double kToSixteenths = kToInt / 16;  // adding it rounds to a multiple of 1/16
    const double c = (a / b + kToSixteenths) - kToSixteenths;
    const double u = (a - c * b) / (b + c * a);
    const double u2 = u * u, u4 = u2 * u2;
    const double p = (-1.0 / 3 + u2 * (1.0 / 5)) + u4 * ((-1.0 / 7 + u2 * (1.0 / 9)) + u4 * (-1.0 / 11));
    const double series = u + (u * u2) * p;
    const TableEntry e = kAtanTable[static_cast<int>(c * 16)];
    return complement ? kHalfPiHi + ((kHalfPiLo - e.Lo) - series - e.Hi) : e.Hi + (e.Lo + series);
}

// atan |num / den| in [0, pi/2] by AtanOfRatio, or -1 where the quotient
// forms must decide: a zero, infinite or NaN operand, operands whose
// magnitudes add up to kHuge or more, or a quotient that underflows to 0
// (whose arctangent keeps the quotient's sign).
[[gnu::always_inline]] inline double AtanOfAbsRatio(double num, double den)
{
    const double an = std::fabs(num), ad = std::fabs(den);
    // The sum is below kHuge only if both are (and neither is NaN).
    if (!(an + ad < kHuge && std::min(an, ad) > 0)) return -1;
    // min and max rather than a branch: which operand is larger is a coin
    // toss from one call to the next.
    const double r = AtanOfRatio(std::min(an, ad), std::max(an, ad), an > ad);
    return r > 0 ? r : -1;
}

}  // namespace fast_trig

// FastAtan(num / den) without forming the quotient (AtanOfRatio): within
// two ulps of atan(num / den); special operands give FastAtan's result.
inline double FastAtanOf(double num, double den)
{
    const double r = fast_trig::AtanOfAbsRatio(num, den);
    if (r < 0) return FastAtan(num / den);
    return std::signbit(num) != std::signbit(den) ? -r : r;
}

// FastQuadrant(num / den, sign) without forming the quotient, as FastAtanOf.
[[gnu::always_inline]] inline double FastQuadrantOf(double num, double den, double sign)
{
    const double r = fast_trig::AtanOfAbsRatio(num, den);
    if (r < 0) return FastQuadrant(num / den, sign);
    // A negative quotient's arctangent -r comes up by a half-turn.
    double q = std::signbit(num) != std::signbit(den) ? kPi - r : r;
    if (sign < 0) q += kPi;
    return q;
}

// FS and FC (sine and cosine of X degrees, the same radian argument) by the
// kernel above.
inline double FastSinDeg(double x) { return FastSin(x * kDegToRad); }
inline double FastCosDeg(double x) { return FastCos(x * kDegToRad); }

}  // namespace qv
