{ Declarations of the functions of the quelbcargabal library, as a
  point-of-sale program in Pascal imports them.

  Every text, in and out, is 8-bit Windows-1252 ending with a zero byte.
  Every function returns 'OK' on success, otherwise the message of the
  failure (Versao and ArquivosGerados return their text). The returned text
  belongs to the library and stays valid only until the same thread's next
  call of any of the functions: copy it into a string right away and never
  free it. Calls from several threads run one at a time (the library locks).

  Inicializar(Modelo): 'modFilizola', 'modToledo', 'modUrano', 'modUranoS',
    'modToledoMGV5', 'modToledoMGV6', 'modUranoURF32', 'modRamuza',
    'modToledoMGV5Ver1' or 'modToledoMGV7'. Keeps the products already added.
  LimparItems: removes every product.
  AdicionarItem: ModeloEtiqueta, Codigo, Validade, Tecla and SetorCodigo are
    integer texts (Validade and Tecla may be nil or empty); TipoVenda is
    'tpvPeso', 'tpvUnidade', 'tpvEAN13' or 'tpvEAN13Und'; Reservado is
    ignored (pass 0); ValorVenda is the price in reais.
  GerarArquivos(Diretorio): writes the load files of the selected model into
    an existing directory.
  VerificarItens: checks the products against the selected model before
    anything is written: 'OK', or the findings ('erro: ...', 'aviso: ...'),
    one per line.
  Versao: the library's version, such as '1.1.0'.
  CarregarCatalogo(Caminho): appends the products of a JSON or CSV catalogue
    file, all of them or none; on errors returns them, one per line.
  DefinirCampo(Nome, Valor): sets one property of the product added last,
    named by its catalogue path ('Nutricional.Qtd', 'InformacaoExtra.Receita',
    'Tara.Valor'...), from a text: integers, decimals with a point or a comma,
    enumeration names, 'sim'/'nao'. On failure nothing changes.
  ArquivosGerados: the full paths of the files the latest GerarArquivos
    wrote, CR LF between them; empty before any generation.
  DefinirProgresso(Funcao): the callback of the progress events of the next
    generations (nil removes it). It runs inside GerarArquivos and may call
    the functions; a nonzero result cancels the generation before any file
    is replaced.
  DecodificarEtiqueta(Codigo, Formato): reads the 13 digits of a scale label
    by a layout ('2CCCCCCPPPPPD', '2CCCCCCWWWWWD', '2CCCCPPPPPPPD'...) as the
    till must: 'codigo=149;preco=2.84', 'codigo=10085;peso=2.504',
    'codigo=7;quantidade=3', or a text starting 'erro:'.
  DefinirEtiqueta(Formato): sets the scale's label layout (nil or '' removes
    it): VerificarItens then holds every product labelled with a bar code
    against it. }
unit QuelbCargaBal;

{$IFDEF FPC}
  {$MODE DELPHI}
{$ENDIF}

interface

const
{$IFDEF MSWINDOWS}
  QuelbBiblioteca = 'quelbcargabal.dll';
{$ELSE}
  { Links with libquelbcargabal.so. }
  QuelbBiblioteca = 'quelbcargabal';
{$ENDIF}

{ The library uses stdcall on 32-bit Windows; on 64-bit targets there is one
  convention and the directive is ignored. }
{$IF DEFINED(CPU386) AND NOT DEFINED(MSWINDOWS)}
  {$ERROR Fora do Windows a biblioteca de 32 bits usa cdecl: troque stdcall por cdecl abaixo.}
{$IFEND}

type
  { Message (valid during the call only), position and total of an event. }
  TQuelbProgresso = function(Mensagem: PAnsiChar; Atual, Total: LongInt): LongInt; stdcall;

function Inicializar(Modelo: PAnsiChar): PAnsiChar; stdcall; external QuelbBiblioteca;
function LimparItems: PAnsiChar; stdcall; external QuelbBiblioteca;
function AdicionarItem(ModeloEtiqueta, TipoVenda, Codigo, Descricao, Validade: PAnsiChar;
  Reservado: LongInt; Tecla, SetorCodigo, SetorDescricao: PAnsiChar;
  ValorVenda: Double): PAnsiChar; stdcall; external QuelbBiblioteca;
function GerarArquivos(Diretorio: PAnsiChar): PAnsiChar; stdcall; external QuelbBiblioteca;
function VerificarItens: PAnsiChar; stdcall; external QuelbBiblioteca;
function Versao: PAnsiChar; stdcall; external QuelbBiblioteca;
function CarregarCatalogo(Caminho: PAnsiChar): PAnsiChar; stdcall; external QuelbBiblioteca;
function DefinirCampo(Nome, Valor: PAnsiChar): PAnsiChar; stdcall; external QuelbBiblioteca;
function ArquivosGerados: PAnsiChar; stdcall; external QuelbBiblioteca;
function DefinirProgresso(Funcao: TQuelbProgresso): PAnsiChar; stdcall; external QuelbBiblioteca;
function DecodificarEtiqueta(Codigo, Formato: PAnsiChar): PAnsiChar; stdcall; external QuelbBiblioteca;
function DefinirEtiqueta(Formato: PAnsiChar): PAnsiChar; stdcall; external QuelbBiblioteca;

implementation

end.
