<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Tú</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>¡Tu turno!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Turno del rival</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Rival</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Disparos</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Aciertos</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Fallos</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Chat: Intro envía, Esc cierra</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>El programa del rival no puede chatear.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Tu turno</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Turno del rival</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>¡Agua!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>¡¡¡El ordenador acierta!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>¡¡¡El ordenador falla!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>¡Listo para jugar!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>¡Flota colocada!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>¡El rival ha abandonado la partida!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>¡HAS GANADO!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>¡HAS PERDIDO!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>¡El rival ya no responde!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Uniéndose a la partida...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>Esperando la flota rival...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>Esperando al equipo del rival...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Intro coloca, R gira, flechas mueven</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Clic izquierdo coloca, clic derecho gira</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>¡No cabe: fuera del tablero!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>¡No cabe: ya hay otro barco ahí!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>¡No cabe: los barcos no pueden tocarse!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>¡Coloca los diez barcos! Queda %n.</numerusform>
            <numerusform>¡Coloca los diez barcos! Quedan %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Ya disparaste aquí: tiro perdido</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>¿Otra vez? Ctrl+N o el botón Otra vez.</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>El rival quiere jugar otra vez.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>Esperando la respuesta del rival...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>El rival no quiere jugar otra vez.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Otra vez</translation>
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
        <translation>Ordenador, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Jugador LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Ganada</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Perdida</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Abandonada</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Cerrada</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Sin respuesta</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Rival se fue</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, recortada</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Disparos: %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Repetición: %1, %2</translation>
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
        <translation>Espacio: pausa o seguir
Izquierda, Derecha: un disparo atrás o adelante
Inicio, Fin: el primer o el último disparo
1, 2, 3: velocidad x1, x4, x16
H: toda la flota rival
Esc: volver al menú</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Atención</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>¡No se puede iniciar la red!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Unirse</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Primera ejecución del juego
Espera mientras se comprueba la red
Tardará 1-2 min...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>IP local: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>Esperando conexión...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>Esperando al rival...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>¡No hay ninguna partida a la que unirse!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Usa el protocolo de red fiable de Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Nombre de equipo o dirección IP</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Añadir este ordenador y preguntarle por su partida</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Quitar este ordenador de la lista</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>¡No se puede guardar la lista de ordenadores!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Ningún ordenador se conoce como «%1».</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Las partidas creadas en tu red aparecen aquí.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>esperar a un amigo</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>jugar la elegida</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Preguntando a %1 por su partida...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>Ninguna partida respondió en %1.
Se vuelve a preguntar cada 2 segundos.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>Es demasiado largo para el nombre
o la dirección de un equipo.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>No es una dirección
ni el nombre de un equipo.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>El juego solo usa IPv4:
escriba una dirección como 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Esa dirección llega a toda una
red, no a un solo equipo.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>Es la dirección de este mismo equipo.</translation>
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
        <translation>Red</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Combate</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>¡La red no está disponible en tu PC!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>El puerto UDP %1 está ocupado:
%2
El juego no oirá respuestas.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Volver al puente: la vista inicial de los tableros</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>¿Abandonar esta partida?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>PUENTE</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>No se puede reproducir la música:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>¿Salir de Vortalix 3D?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
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
        <translation>El dispositivo de audio no está abierto</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>No se puede abrir el archivo de la canción: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>El archivo de la canción no es un archivo MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>No hay ninguna canción abierta</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>No hay ningún mensaje</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Jugador:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Colocar los barcos a mano</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Sonido SÍ/NO</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Música SÍ/NO</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Nivel:</translation>
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
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>¡No se han guardado las opciones!</translation>
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
        <translation>Récords</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>¡No se han guardado los récords!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Aún no hay resultados.
Gana una partida para entrar en la tabla.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Aún no hay partidas guardadas.
Cada partida que juegues se guarda aquí.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Partidas</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Mejores</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>ilegible</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Se puede ver desde el menú, sin partida en curso.</translation>
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
        <translation>No se cargó SDL2_mixer versión %1.%2.%3</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>No se puede iniciar el sistema de sonido digital</translation>
    </message>
</context>
</TS>
