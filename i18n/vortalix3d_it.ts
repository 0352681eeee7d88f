<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Tu</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>Tocca a te: spara!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Tocca al nemico</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Nemico</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Colpi</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>A segno</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>A vuoto</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Chat: Invio invia, Esc chiude</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>Il programma dell&apos;avversario non può chattare.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Tocca a te</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Turno dell&apos;avversario</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Acqua!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>Il computer colpisce!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>Il computer manca!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Pronti a giocare!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Flotta schierata!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>L&apos;avversario ha lasciato la partita!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>HAI VINTO!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>HAI PERSO!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>L&apos;avversario non risponde più!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Connessione alla partita...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>In attesa della flotta avversaria...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>In attesa del computer avversario...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Invio piazza, R ruota, frecce spostano</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Clic sinistro piazza, clic destro ruota</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Non entra: fuori dalla griglia!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Non entra: c&apos;è già un&apos;altra nave!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Non entra: le navi non possono toccarsi!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Piazza tutte le navi! Ne manca %n.</numerusform>
            <numerusform>Piazza tutte le navi! Ne mancano %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Già colpita: colpo sprecato</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Ancora? Ctrl+N o il pulsante Ancora.</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>L&apos;avversario vuole giocare ancora.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>In attesa della risposta dell&apos;avversario...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>L&apos;avversario non vuole giocare ancora.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Ancora</translation>
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
        <translation>Facile</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Computer, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Giocatore LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Vinta</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Persa</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Abbandonata</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Chiusa</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Nessuna risposta</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Nemico uscito</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, tagliata</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Colpi: %1</translation>
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
        <translation>Spazio: pausa o riprendi
Sinistra, Destra: un colpo indietro o avanti
Home, Fine: il primo o l&apos;ultimo colpo
1, 2, 3: velocità x1, x4, x16
H: l&apos;intera flotta nemica
Esc: torna al menu</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Attenzione</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Impossibile avviare la rete!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Rete</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Crea</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Unisciti</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Primo avvio del gioco
Attendi il controllo della rete
Ci vorranno 1-2 min...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>IP locale: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>In attesa di connessione...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>In attesa dell&apos;avversario...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Nessuna partita a cui unirsi!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Usa il protocollo di rete affidabile di Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Nome host o indirizzo IP</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Aggiungi questo computer e chiedigli la sua partita</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Togli questo computer dall’elenco</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Impossibile salvare l’elenco dei computer!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Nessun computer è noto come «%1».</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Le partite create nella tua rete appaiono qui.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>aspetta un amico</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>gioca la partita</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Chiedo a %1 la sua partita...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>Nessuna partita ha risposto da %1.
Richiesta ripetuta ogni 2 secondi.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>Troppo lungo per il nome
o l&apos;indirizzo di un computer.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>Non è un indirizzo
né il nome di un computer.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>Il gioco usa solo IPv4:
scrivi un indirizzo come 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Quell&apos;indirizzo raggiunge un&apos;intera
rete, non un computer.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>È l&apos;indirizzo di questo computer.</translation>
    </message>
</context>
<context>
    <name>vtx::MainWindow</name>
    <message>
        <source>Single</source>
        <translation>Singolo</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Rete</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Battaglia</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opzioni</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>La rete non è disponibile sul tuo PC!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>La porta UDP %1 è occupata:
%2
Il gioco non riceverà risposte.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Torna al ponte: la vista iniziale delle griglie</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Abbandonare questa partita?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>PLANCIA</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>Impossibile riprodurre la musica:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Uscire da Vortalix 3D?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Messaggio</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sì</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>Il dispositivo audio non è aperto</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Impossibile aprire il file del brano: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>Il file del brano non è un file MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Nessun brano è aperto</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Nessun messaggio disponibile</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informazione</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Opzioni</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Giocatore:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Schiera le navi a mano</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Suono SÌ/NO</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Musica SÌ/NO</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Livello:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>Le opzioni non sono state salvate!</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Ammiraglio</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Record</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>I record non sono stati salvati!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Ancora nessun risultato.
Vinci una partita per entrare in classifica.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Nessuna partita salvata.
Ogni partita giocata viene salvata qui.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Guarda</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Partite</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Migliori</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>illeggibile</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Guarda dal menu, quando nessuna partita è in corso.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Ultime partite</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>SDL2_mixer versione %1.%2.%3 non è stato caricato</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Impossibile inizializzare il sistema audio digitale</translation>
    </message>
</context>
</TS>
