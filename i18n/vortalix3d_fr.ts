<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>À vous : tirez !</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Tour de l&apos;ennemi</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Ennemi</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Tirs</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Touchés</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Ratés</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Chat : Entrée envoie, Échap ferme</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>Le programme de l&apos;adversaire ne peut pas discuter.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>À vous de jouer</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Tour de l&apos;adversaire</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Raté !</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>L&apos;ordinateur touche !!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>L&apos;ordinateur rate !!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Prêt à jouer !</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Flotte en place !</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>L&apos;adversaire a quitté la partie !</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>VOUS AVEZ GAGNÉ !</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>VOUS AVEZ PERDU !</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>L&apos;adversaire ne répond plus !</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Connexion à la partie...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>En attente de la flotte adverse...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>En attente de l&apos;ordinateur adverse...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Entrée place, R tourne, flèches déplacent</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Clic gauche place, clic droit tourne</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Ne tient pas : hors du plateau !</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Ne tient pas : un autre navire est là !</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Ne tient pas : les navires se touchent !</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Placez les dix navires ! Il en reste %n.</numerusform>
            <numerusform>Placez les dix navires ! Il en reste %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Déjà visée : tir perdu</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Rejouer ? Ctrl+N ou le bouton Rejouer.</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>L&apos;adversaire veut rejouer.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>En attente de la réponse de l&apos;adversaire...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>L&apos;adversaire ne veut pas rejouer.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Rejouer</translation>
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
        <translation>Échap</translation>
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
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Ordinateur, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Joueur LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gagnée</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Perdue</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Quittée</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Fermée</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Sans réponse</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Ennemi parti</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, coupée</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Tirs : %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Revoir : %1, %2</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>pause</translation>
    </message>
    <message>
        <source>Space: pause or play
Left, Right: one shot back or on
Home, End: the first or the last shot
1, 2, 3: speed x1, x4, x16
H: the whole enemy fleet
Esc: back to the menu</source>
        <translation>Espace : pause ou lecture
Gauche, Droite : un tir en arrière ou en avant
Début, Fin : le premier ou le dernier tir
1, 2, 3 : vitesse x1, x4, x16
H : toute la flotte ennemie
Échap : retour au menu</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Impossible d&apos;initialiser le réseau !</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Premier lancement du jeu
Analyse du réseau, veuillez patienter
Cela prend 1 à 2 min...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>IP locale : %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>En attente de connexion...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>En attente de l&apos;adversaire...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Aucune partie à rejoindre !</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Utilise le protocole réseau fiable de Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Nom d’hôte ou adresse IP</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Ajouter cet ordinateur et lui demander sa partie</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Retirer cet ordinateur de la liste</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Impossible d’enregistrer la liste des ordinateurs !</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Aucun ordinateur n’est connu sous le nom « %1 ».</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Les parties créées sur votre réseau apparaissent ici.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>attendre un ami</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>jouer la partie</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Interrogation de %1...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>Aucune partie n&apos;a répondu à %1.
Nouvelle demande toutes les 2 secondes.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>C&apos;est trop long pour le nom
ou l&apos;adresse d&apos;un ordinateur.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>Ce n&apos;est ni une adresse
ni un nom d&apos;ordinateur.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>Le jeu n&apos;utilise que l&apos;IPv4 :
tapez une adresse comme 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Cette adresse touche tout un
réseau, pas un ordinateur.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>C&apos;est l&apos;adresse de cet ordinateur.</translation>
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
        <translation>Réseau</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Combat</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>Le réseau n&apos;est pas disponible sur votre PC !</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>Le port UDP %1 est occupé :
%2
Aucune réponse ne peut atteindre ce jeu.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Retour à la passerelle : la vue de départ des grilles</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Quitter cette partie ?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>PASSERELLE</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>La musique ne peut pas être jouée :
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Quitter Vortalix 3D ?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>Le périphérique audio n&apos;est pas ouvert</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Impossible d&apos;ouvrir le fichier du morceau : %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>Le fichier du morceau n&apos;est pas un fichier MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Aucun morceau n&apos;est ouvert</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Aucun message disponible</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Joueur :</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Placer ses navires soi-même</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Son OUI/NON</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Musique OUI/NON</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Niveau :</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>Les options n&apos;ont pas été enregistrées !</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Amiral</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Meilleurs scores</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Garder</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>Les scores n&apos;ont pas été enregistrés !</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Aucun résultat pour l&apos;instant.
Gagnez une partie pour entrer au tableau.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Aucune partie gardée.
Chaque partie jouée est gardée ici.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Revoir</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Parties</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Revoir depuis le menu, sans partie en cours.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Dernières parties</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>SDL2_mixer version %1.%2.%3 n&apos;a pas été chargé</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Impossible d&apos;initialiser le système de son numérique</translation>
    </message>
</context>
</TS>
