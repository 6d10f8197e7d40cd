#include "generator/salvar.h"

#include <cstdint>

#include "catalogue/erro.h"
#include "platform/plataforma.h"

namespace quelb {

namespace {

// The failure of a save, as the host is told it.
void Verificar(const plataforma::TResultadoGravacao& AResultado, const std::u16string& ACaminho) {
    switch (AResultado.Situacao) {
        case plataforma::TResultadoGravacao::Gravado:
            return;
        case plataforma::TResultadoGravacao::FalhaCriar:
            throw EQuelbErro(u"Cannot create file \"" + ACaminho + u"\". " + AResultado.Causa);
        case plataforma::TResultadoGravacao::FalhaEscrita:
            throw EQuelbErro(u"Stream write error");
    }
}

}  // namespace

void SalvarLista(TListaLinhas& ALista, const std::u16string& ACaminho) { Verificar(ALista.Gravar(ACaminho), ACaminho); }

void SalvarConjunto(TConjunto& AConjunto, std::vector<std::u16string>& AGerados) {
    std::vector<TArquivoConjunto>& arquivos = AConjunto.Arquivos;
    for (TArquivoConjunto& a : arquivos) Verificar(a.Lista->Preparar(a.Caminho), a.Caminho);
    if (AConjunto.AntesDeSubstituir) AConjunto.AntesDeSubstituir();

    // Save order, with the sign file moved to the end.
    std::vector<size_t> ordem;
    for (size_t i = 0; i < arquivos.size(); ++i)
        if (i != AConjunto.Sinal) ordem.push_back(i);
    if (AConjunto.Sinal < arquivos.size()) ordem.push_back(AConjunto.Sinal);

    // Which files are in place, for AGerados whatever happens below.
    std::vector<bool> colocados(arquivos.size(), false);
    AGerados.reserve(AGerados.size() + arquivos.size());
    struct TListar {
        const std::vector<TArquivoConjunto>& Arquivos;
        const std::vector<bool>& Colocados;
        std::vector<std::u16string>& Gerados;
        ~TListar() {
            for (size_t i = 0; i < Arquivos.size(); ++i)
                if (Colocados[i]) Gerados.push_back(Arquivos[i].Caminho);
        }
    } listar{arquivos, colocados, AGerados};

    {
        // From the first change to the last the set is mixed: an
        // interruption waits until it is whole.
        const plataforma::TAdiarInterrupcoes adiar;
        for (const std::u16string& antigo : AConjunto.Remover)
            if (!plataforma::RemoverArquivo(antigo) && plataforma::ArquivoExiste(antigo))
                throw EQuelbErro(u"Não foi possível remover o arquivo antigo \"" + antigo + u"\".");
        for (const size_t i : ordem) {
            Verificar(arquivos[i].Lista->Colocar(), arquivos[i].Caminho);
            colocados[i] = true;
        }
    }
    for (size_t i = 0; i < arquivos.size(); ++i) Verificar(arquivos[i].Lista->SincronizarPasta(), arquivos[i].Caminho);
}

}  // namespace quelb
