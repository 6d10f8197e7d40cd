{ A point-of-sale program sending its products to Filizola scales through
  the quelbcargabal library, and checking every text that comes back; then
  the nutrition facts and the ingredients of a product for Toledo MGV6
  scales, set through DefinirCampo, and the INFNUTRI.TXT and TXINFO.TXT
  files they give.

  Usage: exemplo <load directory>
  Exit code 0 when every check holds, 1 otherwise. }
program Exemplo;

{$IFDEF FPC}
  {$MODE DELPHI}
{$ENDIF}
{$H+}

uses
  SysUtils, QuelbCargaBal;

type
  TProduto = record
    Codigo, TipoVenda, Descricao, Validade, Tecla, SetorCodigo, SetorDescricao: PAnsiChar;
    Preco: Double;
  end;

const
  { Texts are Windows-1252: #$C7 is the C with cedilla, #$C3 A with tilde,
    #$CA E with circumflex. Validade and Tecla may be nil or empty. }
  Produtos: array[0..4] of TProduto = (
    (Codigo: '1'; TipoVenda: 'tpvPeso'; Descricao: 'BANANA PRATA'; Validade: '3';
     Tecla: '1'; SetorCodigo: '1'; SetorDescricao: 'HORTIFRUTI'; Preco: 4.99),
    (Codigo: '2'; TipoVenda: 'tpvPeso'; Descricao: 'MA'#$C7#$C3' FUJI'; Validade: '5';
     Tecla: '2'; SetorCodigo: '1'; SetorDescricao: 'HORTIFRUTI'; Preco: 8.49),
    (Codigo: '3'; TipoVenda: 'tpvUnidade'; Descricao: 'P'#$C3'O FRANC'#$CA'S'; Validade: '1';
     Tecla: ''; SetorCodigo: '2'; SetorDescricao: 'PADARIA'; Preco: 0.75),
    (Codigo: '4'; TipoVenda: 'tpvPeso'; Descricao: 'QUEIJO MU'#$C7'ARELA'; Validade: '10';
     Tecla: nil; SetorCodigo: '3'; SetorDescricao: 'FRIOS'; Preco: 39.90),
    (Codigo: '5'; TipoVenda: 'tpvUnidade'; Descricao: 'BOLO DE FUBA'; Validade: nil;
     Tecla: nil; SetorCodigo: '0'; SetorDescricao: ''; Preco: 12.00));

  { What the Filizola files must hold for these products: the item file, one
    line per product, and the sector file, one line per product that has a
    sector name or a key (the last one has neither). }
  LinhasCadastro: array[0..4] of AnsiString = (
    '000001PBANANA PRATA          0000499003',
    '000002PMA'#$C7#$C3' FUJI             0000849005',
    '000003UP'#$C3'O FRANC'#$CA'S           0000075001',
    '000004PQUEIJO MU'#$C7'ARELA       0003990010',
    '000005UBOLO DE FUBA          0001200000');
  LinhasSetores: array[0..3] of AnsiString = (
    'HORTIFRUTI  0000010001001',
    'HORTIFRUTI  0000020002002',
    'PADARIA     0000030003000',
    'FRIOS       0000040004000');

  { Catalogue paths and values of the nutrition facts and the ingredients. }
  Nutricao: array[0..10, 0..1] of PAnsiChar = (
    ('Nutricional.Codigo', '2'), ('Nutricional.Qtd', '50'), ('Nutricional.UndPorcao', 'tpGramas'),
    ('Nutricional.PartInteira', '1'), ('Nutricional.MedCaseira', 'tpUnidade'),
    ('Nutricional.ValorEnergetico', '135'), ('Nutricional.Carboidrato', '28,0'),
    ('Nutricional.Proteina', '4,5'), ('Nutricional.GorduraTotal', '0,7'), ('Nutricional.Sodio', '324'),
    ('InformacaoExtra.Receita', 'Farinha de trigo, '#$E1'gua, sal e fermento.'));
  { Code 2, 50 g, 1 unit, 135 kcal, 28.0 g, 4.5 g, 0.7 g ... 324 mg. }
  LinhaNutricao = 'N00000200500010050135028004500700000000003240';
  { Code 2, the text after 100 blanks (the fields the product leaves empty). }
  ReceitaMgv = 'Farinha de trigo, '#$E1'gua, sal e fermento.';

  MsgDiretorioInexistente = 'Diretorio informado n'#$E3'o existe!';
  MsgSemProdutos = 'N'#$E3'o foram informados os produtos para a gera'#$E7#$E3'o!';
  MsgCodigoInvalido = '''abc'' is not a valid integer value';

var
  Falhas: Integer = 0;
  Eventos: Integer = 0;

{ Progress of a generation: it runs inside GerarArquivos; a nonzero result
  would cancel it before any file is replaced. }
function Progresso(Mensagem: PAnsiChar; Atual, Total: LongInt): LongInt; stdcall;
begin
  WriteLn('  [', Atual, '/', Total, '] ', Mensagem);
  Inc(Eventos);
  Result := 0;
end;

{ The returned text lives only until the next call: copy it at once. }
function Texto(AResultado: PAnsiChar): AnsiString;
begin
  Result := AnsiString(AResultado);
end;

procedure Conferir(const AEtapa, AObtido, AEsperado: AnsiString);
begin
  if AObtido = AEsperado then
    WriteLn('ok   ', AEtapa)
  else
  begin
    { Shown as bytes so that the accented letters of a Windows-1252 text
      read the same on any terminal. }
    WriteLn('FALHA ', AEtapa, ': obtido "', AObtido, '", esperado "', AEsperado, '"');
    Inc(Falhas);
  end;
end;

procedure ConferirErro(const AEtapa, AObtido: AnsiString);
begin
  if AObtido <> 'OK' then
    WriteLn('ok   ', AEtapa, ' (', AObtido, ')')
  else
  begin
    WriteLn('FALHA ', AEtapa, ': esperava um texto de erro, veio OK');
    Inc(Falhas);
  end;
end;

function LerArquivo(const ACaminho: AnsiString): AnsiString;
var
  Arquivo: THandle;
  Tamanho: Int64;
begin
  Result := '';
  Arquivo := FileOpen(ACaminho, fmOpenRead);
  if Arquivo = THandle(-1) then
  begin
    WriteLn('FALHA arquivo ausente: ', ACaminho);
    Inc(Falhas);
    Exit;
  end;
  Tamanho := FileSeek(Arquivo, Int64(0), 2);
  FileSeek(Arquivo, 0, 0);
  SetLength(Result, Tamanho);
  if Tamanho > 0 then
    FileRead(Arquivo, Result[1], Tamanho);
  FileClose(Arquivo);
end;

{ Every line of a load file ends with CR LF, the last one too. }
procedure ConferirArquivo(const ACaminho: AnsiString; const ALinhas: array of AnsiString);
var
  Esperado: AnsiString;
  I: Integer;
begin
  Esperado := '';
  for I := 0 to High(ALinhas) do
    Esperado := Esperado + ALinhas[I] + #13#10;
  Conferir(ExtractFileName(ACaminho), LerArquivo(ACaminho), Esperado);
end;

var
  Diretorio, Mgv6: AnsiString;
  I: Integer;
begin
  if ParamCount <> 1 then
  begin
    WriteLn('uso: exemplo <diretório da carga>');
    Halt(2);
  end;
  Diretorio := IncludeTrailingPathDelimiter(ParamStr(1));
  { Versao's text is constant: no copy needed. }
  WriteLn('quelbcargabal ', Versao);

  Conferir('Inicializar', Texto(Inicializar('modFilizola')), 'OK');
  { Names are compared exactly: this one is unknown and the model stays. }
  ConferirErro('Inicializar com nome desconhecido', Texto(Inicializar('modfilizola')));

  { A product refused halfway stays in the list: start over with LimparItems. }
  Conferir('AdicionarItem com codigo invalido',
    Texto(AdicionarItem('0', 'tpvPeso', 'abc', 'ERRADO', nil, 0, nil, '0', '', 1.0)),
    MsgCodigoInvalido);

  Conferir('LimparItems', Texto(LimparItems), 'OK');
  for I := 0 to High(Produtos) do
    with Produtos[I] do
      Conferir('AdicionarItem ' + AnsiString(Codigo),
        Texto(AdicionarItem('0', TipoVenda, Codigo, Descricao, Validade, 0, Tecla,
          SetorCodigo, SetorDescricao, Preco)), 'OK');

  Conferir('GerarArquivos em diretorio inexistente',
    Texto(GerarArquivos(PAnsiChar(Diretorio + 'nao-existe'))), MsgDiretorioInexistente);

  Conferir('GerarArquivos', Texto(GerarArquivos(PAnsiChar(Diretorio))), 'OK');
  ConferirArquivo(Diretorio + 'CADTXT.TXT', LinhasCadastro);
  ConferirArquivo(Diretorio + 'SETORTXT.TXT', LinhasSetores);

  Conferir('LimparItems', Texto(LimparItems), 'OK');
  Conferir('GerarArquivos sem produtos', Texto(GerarArquivos(PAnsiChar(Diretorio))), MsgSemProdutos);

  { Toledo MGV6: DefinirCampo sets the properties of the product added last. }
  Conferir('Inicializar MGV6', Texto(Inicializar('modToledoMGV6')), 'OK');
  Conferir('AdicionarItem 2', Texto(AdicionarItem('0', 'tpvPeso', '2', 'P'#$C3'O FRANC'#$CA'S', '1', 0, nil,
    '2', 'PADARIA', 16.9)), 'OK');
  for I := 0 to High(Nutricao) do
    Conferir('DefinirCampo ' + AnsiString(Nutricao[I, 0]), Texto(DefinirCampo(Nutricao[I, 0], Nutricao[I, 1])), 'OK');
  ConferirErro('DefinirCampo com valor invalido', Texto(DefinirCampo('Nutricional.Qtd', 'cinquenta')));
  Conferir('DefinirProgresso', Texto(DefinirProgresso(Progresso)), 'OK');
  Mgv6 := Diretorio + 'mgv6' + PathDelim;
  ForceDirectories(Mgv6);
  Conferir('GerarArquivos MGV6', Texto(GerarArquivos(PAnsiChar(Mgv6))), 'OK');
  Conferir('eventos de progresso', IntToStr(Eventos), '3');
  Conferir('DefinirProgresso nil', Texto(DefinirProgresso(nil)), 'OK');
  Conferir('ArquivosGerados', Texto(ArquivosGerados), Mgv6 + 'ITENSMGV.TXT'#13#10 + Mgv6 + 'DEPTO.TXT'#13#10 +
    Mgv6 + 'TXINFO.TXT'#13#10 + Mgv6 + 'INFNUTRI.TXT');
  ConferirArquivo(Mgv6 + 'INFNUTRI.TXT', [LinhaNutricao]);
  Conferir('TXINFO.TXT', TrimRight(LerArquivo(Mgv6 + 'TXINFO.TXT')), '000002' + StringOfChar(' ', 100) + ReceitaMgv);
  WriteLn('INFNUTRI.TXT: ', TrimRight(LerArquivo(Mgv6 + 'INFNUTRI.TXT')));
  WriteLn('TXINFO.TXT:   ', TrimRight(LerArquivo(Mgv6 + 'TXINFO.TXT')));

  { The scale's labels, read as the till must read them, and the check of the
    products against the label layout: the product's code 2 fits four digits. }
  Conferir('DecodificarEtiqueta', Texto(DecodificarEtiqueta('2014900002840', '2CCCCPPPPPPPD')),
    'codigo=149;preco=2.84');
  ConferirErro('DecodificarEtiqueta com digito errado', Texto(DecodificarEtiqueta('2014900002841', '2CCCCPPPPPPPD')));
  Conferir('DefinirEtiqueta', Texto(DefinirEtiqueta('2CCCCPPPPPPPD')), 'OK');
  Conferir('VerificarItens com a etiqueta', Texto(VerificarItens), 'OK');
  ConferirErro('DefinirEtiqueta com padrao invalido', Texto(DefinirEtiqueta('2CCCCPPPWWWWD')));
  Conferir('DefinirEtiqueta vazio', Texto(DefinirEtiqueta('')), 'OK');

  if Falhas > 0 then
  begin
    WriteLn(Falhas, ' conferencia(s) falharam');
    Halt(1);
  end;
  WriteLn('Todas as conferencias passaram');
end.
