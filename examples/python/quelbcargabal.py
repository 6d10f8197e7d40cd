"""Acesso à biblioteca quelbcargabal a partir de Python, só com ctypes.

    from quelbcargabal import CargaBal, ErroCargaBal

    carga = CargaBal()                      # ou CargaBal("/caminho/libquelbcargabal.so")
    carga.inicializar("modFilizola")
    carga.limpar_itens()
    carga.adicionar_item(codigo=1, descricao="MAÇÃ FUJI", tipo_venda="tpvPeso",
                         valor_venda=8.49, validade=5, setor_codigo=1,
                         setor_descricao="HORTIFRUTI")
    carga.definir_campo("Nutricional.Qtd", 50)      # do último produto adicionado
    carga.definir_campo("InformacaoExtra.Receita", "Maçã.")
    carga.gerar_arquivos("/tmp/carga")
    carga.arquivos_gerados()                # ["/tmp/carga/CADTXT.TXT", ...]

    # Etiquetas da balança (EAN-13), lidas como o caixa deve lê-las:
    carga.decodificar_etiqueta("2014900002840", "2CCCCPPPPPPPD")
    # {"codigo": 149, "preco": Decimal("2.84")}
    carga.definir_etiqueta("2CCCCCCPPPPPD")  # verificar_itens() confere os itens contra ela

Os textos vão para a biblioteca em Windows-1252; toda falha volta como
ErroCargaBal, com a mensagem da biblioteca decodificada de Windows-1252.
"""
import ctypes
import os
from decimal import Decimal
from typing import Callable, Dict, List, Optional, Union

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


# The progress callback: stdcall on 32-bit Windows (WINFUNCTYPE), the C
# convention elsewhere.
_TIPO_PROGRESSO = (ctypes.WINFUNCTYPE if os.name == "nt" else ctypes.CFUNCTYPE)(
    ctypes.c_int32, ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32)


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
            "CarregarCatalogo": [texto],
            "DefinirCampo": [texto, texto],
            "ArquivosGerados": [],
            "DefinirProgresso": [_TIPO_PROGRESSO],
            "DecodificarEtiqueta": [texto, texto],
            "DefinirEtiqueta": [texto],
        }
        for nome, argumentos in assinaturas.items():
            funcao = getattr(self._bib, nome)
            funcao.argtypes = argumentos
            # c_char_p copies the returned text at once, before any other
            # call can replace it.
            funcao.restype = ctypes.c_char_p
        # The callback passed to the library, kept alive while it is set,
        # and an exception raised inside it, raised again by gerar_arquivos.
        self._progresso = None
        self._erro_progresso: Optional[BaseException] = None

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
        self._erro_progresso = None
        try:
            self._chamar("GerarArquivos", _texto(os.fspath(diretorio)))
        finally:
            erro, self._erro_progresso = self._erro_progresso, None
        if erro is not None:
            raise erro

    def carregar_catalogo(self, caminho: Union[str, os.PathLike]) -> None:
        """Acrescenta os produtos de um catálogo JSON ou CSV: todos, ou nenhum se houver erro."""
        self._chamar("CarregarCatalogo", _texto(os.fspath(caminho)))

    def definir_campo(self, nome: str, valor: Union[str, int, Decimal, bool]) -> None:
        """Define uma propriedade do último produto adicionado, pelo caminho do
        catálogo ("Nutricional.Qtd", "InformacaoExtra.Receita", "Tara.Valor"...).
        Números vão como texto: int e Decimal exatos, bool como "1"/"0"; um
        texto vai como está ("12,5", "tpGramas", "sim"). Numa falha nada muda."""
        if isinstance(valor, bool):
            valor = "1" if valor else "0"
        elif isinstance(valor, (int, Decimal)):
            valor = str(valor)
        elif not isinstance(valor, str):
            raise TypeError(f"esperado str, int, Decimal ou bool, veio {type(valor).__name__}")
        self._chamar("DefinirCampo", _texto(nome), _texto(valor))

    def arquivos_gerados(self) -> List[str]:
        """Os caminhos completos dos arquivos da última geração, na ordem em que foram gravados."""
        texto = self._bib.ArquivosGerados().decode(CODIFICACAO)
        return texto.split("\r\n") if texto else []

    def decodificar_etiqueta(self, codigo: str, formato: str) -> Dict[str, Union[int, Decimal]]:
        """Lê os 13 dígitos de uma etiqueta da balança pelo padrão formato
        ("2CCCCCCPPPPPD"...), como o caixa deve lê-los: {"codigo": 149,
        "preco": Decimal("2.84")} (em reais), {"codigo": 10085, "peso":
        Decimal("2.504")} (em kg) ou {"codigo": 7, "quantidade": 3}. Um código
        que não se lê (dígito verificador errado, prefixo de outro padrão...)
        ou um padrão malformado levanta ErroCargaBal com o motivo."""
        bruto = self._bib.DecodificarEtiqueta(_texto(codigo), _texto(formato)) or b""
        texto = bruto.decode(CODIFICACAO)
        if texto.startswith("erro:"):
            raise ErroCargaBal("DecodificarEtiqueta", bruto)
        campos = dict(parte.split("=", 1) for parte in texto.split(";"))
        resultado: Dict[str, Union[int, Decimal]] = {"codigo": int(campos.pop("codigo"))}
        for nome, valor in campos.items():
            resultado[nome] = int(valor) if nome == "quantidade" else Decimal(valor)
        return resultado

    def definir_etiqueta(self, formato: Optional[str]) -> None:
        """Dá o padrão da etiqueta da balança ("2CCCCPPPPPPPD"...), ou o remove
        (None ou ""): com ele, verificar_itens() confere cada item que a balança
        etiqueta com código de barras contra o padrão (código largo demais,
        dois itens que o caixa leria iguais, preço que não cabe na etiqueta)."""
        self._chamar("DefinirEtiqueta", _texto(formato or ""))

    def definir_progresso(self, funcao: Optional[Callable[[str, int, int], object]]) -> None:
        """Chama funcao(mensagem, atual, total) a cada evento das próximas gerações
        (None a remove). Um retorno verdadeiro cancela a geração antes de qualquer
        arquivo ser substituído; uma exceção dentro dela também, e volta de
        gerar_arquivos. A biblioteca guarda uma só função por processo."""
        if funcao is None:
            chamada = _TIPO_PROGRESSO()  # a null pointer
        else:
            def chamada(mensagem, atual, total):
                try:
                    return 1 if funcao(mensagem.decode(CODIFICACAO), atual, total) else 0
                except BaseException as erro:  # noqa: B902 - handed back to gerar_arquivos
                    self._erro_progresso = erro
                    return 1
            chamada = _TIPO_PROGRESSO(chamada)
        self._chamar("DefinirProgresso", chamada)
        self._progresso = chamada
