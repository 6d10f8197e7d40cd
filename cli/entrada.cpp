#include "cli/entrada.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/catalogo.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quelb::cli {

namespace {

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

std::string Motivo(int AErro) {
    switch (AErro) {
        case ENOENT: return "arquivo não encontrado";
        case EACCES: return "permissão negada";
        case EISDIR: return "é um diretório";
        default: return std::strerror(AErro);
    }
}

}  // namespace

std::optional<TFormatoCatalogo> FormatoPorNome(std::string_view ANome) {
    if (IguaisSemCaixa(ANome, "json")) return TFormatoCatalogo::Json;
    if (IguaisSemCaixa(ANome, "csv")) return TFormatoCatalogo::Csv;
    return std::nullopt;
}

TFormatoCatalogo DeduzirFormato(std::string_view ACaminho, std::string_view AConteudo) {
    const size_t ponto = ACaminho.rfind('.');
    if (ponto != std::string_view::npos && ACaminho.find('/', ponto) == std::string_view::npos) {
        if (auto f = FormatoPorNome(ACaminho.substr(ponto + 1))) return *f;
    }
    if (AConteudo.starts_with("\xEF\xBB\xBF")) AConteudo.remove_prefix(3);
    const size_t primeiro = AConteudo.find_first_not_of(" \t\r\n");
    return primeiro != std::string_view::npos && AConteudo[primeiro] == '{' ? TFormatoCatalogo::Json
                                                                             : TFormatoCatalogo::Csv;
}

std::string LerEntrada(const std::string& ACaminho) {
    const bool padrao = ACaminho == "-";
    const std::string nome = padrao ? "a entrada padrão" : "\"" + ACaminho + "\"";
    const auto falha = [&](int AErro) { return ECatalogo("não foi possível ler " + nome + ": " + Motivo(AErro)); };

    std::error_code ignorado;
    if (!padrao && std::filesystem::is_directory(ACaminho, ignorado)) throw falha(EISDIR);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> arquivo(nullptr, std::fclose);
    std::FILE* fluxo = stdin;
    if (!padrao) {
        arquivo.reset(std::fopen(ACaminho.c_str(), "rb"));
        if (!arquivo) throw falha(errno);
        fluxo = arquivo.get();
    } else {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
    }

    // Reads in large blocks straight into the string's own buffer, sized
    // for the whole file when its size is known.
    constexpr size_t Bloco = size_t{1} << 20;
    std::string conteudo;
    if (!padrao) {
        const auto tamanho = std::filesystem::file_size(ACaminho, ignorado);
        if (!ignorado) conteudo.reserve(static_cast<size_t>(tamanho) + Bloco);
    }
    for (;;) {
        const size_t usado = conteudo.size();
        conteudo.resize(usado + Bloco);
        const size_t lidos = std::fread(conteudo.data() + usado, 1, Bloco, fluxo);
        conteudo.resize(usado + lidos);
        if (lidos < Bloco) break;
    }
    if (std::ferror(fluxo)) throw falha(errno);
    return conteudo;
}

}  // namespace quelb::cli
