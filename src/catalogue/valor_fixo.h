#pragma once
#include <compare>
#include <cstdint>

namespace quelb {

// A fixed-point amount: a signed count of ten-thousandths (four implied
// decimals). Prices, tares and nutrients use it; binary floats never do.
class TValorFixo {
public:
    constexpr TValorFixo() = default;

    static constexpr TValorFixo DeDezMilesimos(int64_t ADezMilesimos) {
        TValorFixo v;
        v.FDezMilesimos = ADezMilesimos;
        return v;
    }

    constexpr int64_t DezMilesimos() const { return FDezMilesimos; }

    friend constexpr bool operator==(TValorFixo, TValorFixo) = default;
    friend constexpr auto operator<=>(TValorFixo, TValorFixo) = default;

private:
    int64_t FDezMilesimos = 0;
};

}  // namespace quelb
