#include "cli/mensagens.h"

#include "catalogue/texto.h"

namespace quelb::cli {

void Escrever(std::FILE* AFluxo, const std::string& ATexto) { std::fwrite(ATexto.data(), 1, ATexto.size(), AFluxo); }

int ErroDeUso(const std::string& AMensagem, const std::string& AComando) {
    Escrever(stderr, "cargabal: " + AMensagem + "\nUse \"cargabal help" + (AComando.empty() ? "" : " " + AComando) +
                         "\" para ver as opções.\n");
    return SaidaUso;
}

std::string QuisDizer(const std::optional<std::string>& ASugestao) {
    return ASugestao ? "; quis dizer \"" + *ASugestao + "\"?" : "";
}

std::string Plural(uint64_t AQuantidade, const char* ASingular, const char* APlural) {
    return ParaUtf8(quelb::Plural(AQuantidade, DeUtf8(ASingular), DeUtf8(APlural)));
}

}  // namespace quelb::cli
