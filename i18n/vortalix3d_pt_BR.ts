<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Você</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>Sua vez: atire!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Vez do inimigo</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Inimigo</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Tiros</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Acertos</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Erros</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Chat: Enter envia, Esc fecha</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>O programa do adversário não pode conversar.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Sua vez</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Vez do adversário</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Água!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>O computador acertou!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>O computador errou!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Pronto para jogar!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Frota posicionada!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>O adversário saiu do jogo!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>VOCÊ VENCEU!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>VOCÊ PERDEU!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>O adversário não responde mais!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Entrando na partida...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>Aguardando a frota adversária...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>Aguardando o computador adversário...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Enter posiciona, R gira, setas movem</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Clique esquerdo posiciona, direito gira</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Não cabe: fora do tabuleiro!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Não cabe: já há outro navio ali!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Não cabe: navios não podem se tocar!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Posicione toda a frota! Falta %n navio.</numerusform>
            <numerusform>Posicione toda a frota! Faltam %n navios.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Já atirou aqui: tiro desperdiçado</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Jogar de novo? Ctrl+N ou o botão De novo.</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>O adversário quer jogar de novo.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>Aguardando a resposta do adversário...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>O adversário não quer jogar de novo.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>De novo</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>ReplayTexts</name>
    <message>
        <source>Easy</source>
        <translation>Fácil</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Computador, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Jogador LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Vitória</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Derrota</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Abandonada</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Fechada</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Sem resposta</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Rival saiu</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, cortada</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Tiros: %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Replay: %1, %2</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>pausa</translation>
    </message>
    <message>
        <source>Space: pause or play
Left, Right: one shot back or on
Home, End: the first or the last shot
1, 2, 3: speed x1, x4, x16
H: the whole enemy fleet
Esc: back to the menu</source>
        <translation>Espaço: pausar ou continuar
Esquerda, Direita: um tiro para trás ou para frente
Home, End: o primeiro ou o último tiro
1, 2, 3: velocidade x1, x4, x16
H: toda a frota inimiga
Esc: voltar ao menu</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Atenção</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Não foi possível iniciar a rede!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Rede</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Criar</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Entrar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>O jogo está rodando pela primeira vez
Aguarde a verificação da rede
Isso leva 1-2 min...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>IP local: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>Aguardando conexão...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>Aguardando o adversário...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Não há jogo para entrar!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Usa o protocolo de rede confiável do Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Nome do host ou endereço IP</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Adicionar este computador e perguntar por seu jogo</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Remover este computador da lista</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Não foi possível salvar a lista de computadores!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Nenhum computador é conhecido como “%1”.</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>As partidas criadas na sua rede aparecem aqui.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>esperar um amigo</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>jogar a escolhida</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Perguntando a %1 pelo seu jogo...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>Nenhum jogo respondeu em %1.
Perguntando de novo a cada 2 segundos.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>É longo demais para o nome
ou o endereço de um computador.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>Não é um endereço
nem o nome de um computador.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>O jogo usa só IPv4:
digite um endereço como 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Esse endereço alcança uma rede
inteira, não um computador.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>É o endereço deste computador.</translation>
    </message>
</context>
<context>
    <name>vtx::MainWindow</name>
    <message>
        <source>Single</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Rede</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Combate</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opções</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Recordes</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>A rede não está disponível no seu PC!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>A porta UDP %1 está ocupada:
%2
O jogo não receberá respostas.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Voltar à ponte: a vista inicial dos tabuleiros</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Sair desta partida?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>PONTE</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>Não é possível tocar a música:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Sair do Vortalix 3D?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Mensagem</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Não</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>O dispositivo de áudio não foi aberto</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Não foi possível abrir o arquivo da música: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>O arquivo da música não é um arquivo MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Nenhuma música está aberta</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Nenhuma mensagem disponível</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informação</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Opções</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Jogador:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Posicionar navios à mão</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Som SIM/NÃO</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Música SIM/NÃO</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Nível:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Fácil</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>As opções não foram salvas!</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Almirante</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Recordes</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>Os recordes não foram salvos!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Ainda não há resultados.
Vença uma partida para entrar na tabela.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Nenhuma partida guardada.
Cada partida jogada fica guardada aqui.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Assistir</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Partidas</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Melhores</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>ilegível</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Assista pelo menu, sem partida em andamento.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Últimas partidas</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>SDL2_mixer versão %1.%2.%3 não foi carregado</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Não foi possível iniciar o sistema de som digital</translation>
    </message>
</context>
</TS>
