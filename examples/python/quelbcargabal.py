"""Acesso à biblioteca quelbcargabal a partir de Python, só com ctypes.

    from quelbcargabal import CargaBal, ErroCargaBal

    carga = CargaBal()                      # ou CargaBal("/caminho/libquelbcargabal.so")
    carga.inicializar("modFilizola")
    carga.limpar_itens()
    carga.adicionar_item(codigo=1, descricao="MAÇÃ FUJI", tipo_venda="tpvPeso",
                         valor_venda=8.49, validade=5, setor_codigo=1,
                         setor_descricao="HORTIFRUTI")
    carga.gerar_arquivos("/tmp/carga")

Os textos vão para a biblioteca em Windows-1252; toda falha volta como
ErroCargaBal, com a mensagem da biblioteca decodificada de Windows-1252.
"""
import ctypes
import os
from typing import Optional, Union

__all__ = ["CargaBal", "ErroCargaBal", "MODELOS", "TIPOS_VENDA"]

CODIFICACAO = "cp1252"

MODELOS = (
    "modFilizola", "modToledo", "modUrano", "modUranoS", "modToledoMGV5",
    "modToledoMGV6", "modUranoURF32", "modRamuza", "modToledoMGV5Ver1", "modToledoMGV7",
)
TIPOS_VENDA = ("tpvPeso", "tpvUnidade", "tpvEAN13", "tpvEAN13Und")

# Integer arguments: normally int; a str goes to the library as it is.
Inteiro = Union[int, str]


class ErroCargaBal(Exception):
    """Uma chamada que não devolveu "OK"."""

    def __init__(self, funcao: str, bruto: bytes):
        self.funcao = funcao
        self.bruto = bruto  # the bytes the library returned
        self.mensagem = bruto.decode(CODIFICACAO, errors="replace")
        super().__init__(f"{funcao}: {self.mensagem}")


def _nome_padrao() -> str:
    return "quelbcargabal.dll" if os.name == "nt" else "libquelbcargabal.so"


def _texto(valor: Optional[str]) -> Optional[bytes]:
    # A character Windows-1252 lacks becomes "?", as the ANSI code page of
    # Windows does with such a character.
    return None if valor is None else valor.encode(CODIFICACAO, errors="replace")


def _inteiro(valor: Optional[Inteiro]) -> Optional[bytes]:
    if valor is None:
        return None
    if isinstance(valor, bool) or not isinstance(valor, (int, str)):
        raise TypeError(f"esperado int ou str, veio {type(valor).__name__}")
    return _texto(str(valor))


class CargaBal:
    """As funções da biblioteca. A biblioteca guarda um só catálogo por
    processo: todos os objetos CargaBal do processo o compartilham."""

    def __init__(self, caminho: Optional[str] = None):
        # 32-bit Windows uses stdcall (WinDLL); elsewhere both are the same.
        carregar = ctypes.WinDLL if os.name == "nt" else ctypes.CDLL
        self._bib = carregar(caminho or _nome_padrao())
        texto, c = ctypes.c_char_p, ctypes
        assinaturas = {
            "Inicializar": [texto],
            "LimparItems": [],
            "AdicionarItem": [texto, texto, texto, texto, texto, c.c_int32, texto, texto, texto,
                              c.c_double],
            "GerarArquivos": [texto],
            "Versao": [],
            "VerificarItens": [],
        }
        for nome, argumentos in assinaturas.items():
            funcao = getattr(self._bib, nome)
            funcao.argtypes = argumentos
            # c_char_p copies the returned text at once, before any other
            # call can replace it.
            funcao.restype = ctypes.c_char_p

    def _chamar(self, nome: str, *argumentos) -> None:
        resultado = getattr(self._bib, nome)(*argumentos)
        if resultado != b"OK":
            raise ErroCargaBal(nome, resultado or b"")

    def inicializar(self, modelo: str = "modFilizola") -> None:
        """Escolhe o modelo de balança (veja MODELOS); mantém os produtos já adicionados."""
        self._chamar("Inicializar", _texto(modelo))

    def limpar_itens(self) -> None:
        """Remove todos os produtos."""
        self._chamar("LimparItems")

    def adicionar_item(self, codigo: Inteiro, descricao: str, tipo_venda: str = "tpvPeso",
                       valor_venda: float = 0.0, modelo_etiqueta: Inteiro = 0,
                       validade: Optional[Inteiro] = None, tecla: Optional[Inteiro] = None,
                       setor_codigo: Inteiro = 0, setor_descricao: str = "") -> None:
        """Acrescenta um produto. validade (em dias) e tecla podem ser None. Numa
        falha o produto fica na lista com os campos gravados antes do que
        falhou: chame limpar_itens() antes de tentar de novo."""
        self._chamar(
            "AdicionarItem",
            _inteiro(modelo_etiqueta), _texto(tipo_venda), _inteiro(codigo), _texto(descricao),
            _inteiro(validade), 0, _inteiro(tecla), _inteiro(setor_codigo),
            _texto(setor_descricao), float(valor_venda))

    def verificar_itens(self) -> str:
        """Confere os produtos contra o modelo antes de gravar: "OK" ou os achados, um por linha."""
        return self._bib.VerificarItens().decode(CODIFICACAO)

    def versao(self) -> str:
        """A versão da biblioteca, como "1.1.0"."""
        return self._bib.Versao().decode(CODIFICACAO)

    def gerar_arquivos(self, diretorio: Union[str, os.PathLike]) -> None:
        """Grava os arquivos de carga do modelo escolhido num diretório existente."""
        self._chamar("GerarArquivos", _texto(os.fspath(diretorio)))
