// VerificarItens through the exported functions, on catalogues of extreme
// and arbitrary values: a model from the table, a few products, and for
// each some properties set by DefinirCampo to numbers at and past the
// limits of 16, 32 and 64 bits, decimals with every digit, or arbitrary
// bytes. The check must return a text and do nothing undefined.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/propriedades.h"
#include "generator/modelos.h"
#include "quelb/cargabal.h"

namespace {

const char* const Extremos[] = {"0",
                                "1",
                                "-1",
                                "32767",
                                "-32768",
                                "65535",
                                "2147483647",
                                "-2147483648",
                                "9223372036854775807",
                                "-9223372036854775808",
                                "922337203685477,5807",
                                "-922337203685477,5808",
                                "900000000000000",
                                "99999999999999999999",
                                "0,0001",
                                "sim",
                                "tpMililitros",
                                "tpGramas",
                                "tpvMeses"};

void Conferir(const char* AResultado) {
    if (AResultado == nullptr || AResultado[0] == '\0') {
        std::fprintf(stderr, "promessa quebrada: resultado nulo ou vazio\n");
        std::abort();
    }
}

std::string Valor(FuzzedDataProvider& d) {
    switch (d.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return std::to_string(d.ConsumeIntegral<int64_t>());
        case 1: {
            const std::string inteiro = std::to_string(d.ConsumeIntegral<int64_t>());
            return inteiro + "," + std::to_string(d.ConsumeIntegralInRange<int>(0, 9999));
        }
        case 2: return d.ConsumeRandomLengthString(24);
        default: return Extremos[d.ConsumeIntegralInRange<size_t>(0, std::size(Extremos) - 1)];
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    FuzzedDataProvider d(ADados, ATamanho);
    const auto modelos = quelb::Modelos();
    const std::string modelo(modelos[d.ConsumeIntegralInRange<size_t>(0, modelos.size() - 1)].NomeEnumeracao);
    Conferir(Inicializar(modelo.c_str()));
    Conferir(LimparItems());
    const int itens = d.ConsumeIntegralInRange<int>(1, 6);
    for (int i = 0; i < itens && d.remaining_bytes() > 0; ++i) {
        const std::string codigo = std::to_string(d.ConsumeIntegral<int32_t>());
        Conferir(AdicionarItem("0", "tpvPeso", codigo.c_str(), "Produto", "", 0, "", "1", "Setor",
                               d.ConsumeFloatingPoint<double>()));
        const int campos = d.ConsumeIntegralInRange<int>(0, 16);
        for (int c = 0; c < campos && d.remaining_bytes() > 0; ++c) {
            const quelb::TPropriedade& p =
                quelb::Propriedades[d.ConsumeIntegralInRange<size_t>(0, std::size(quelb::Propriedades) - 1)];
            const std::string nome(p.Nome), valor = Valor(d);
            Conferir(DefinirCampo(nome.c_str(), valor.c_str()));
        }
    }
    Conferir(VerificarItens());
    Conferir(LimparItems());
    return 0;
}
