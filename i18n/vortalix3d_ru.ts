<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Вы</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>Ваш ход: огонь!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Ход противника</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Враг</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Выстрелы</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Попадания</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Промахи</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Чат: Enter — отправить, Esc — закрыть</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Чат</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>Программа соперника не умеет общаться в чате.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Ваш ход</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Ход противника</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Мимо!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>Компьютер попал!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>Компьютер промахнулся!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Готов к игре!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Флот расставлен!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>Противник покинул игру!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>ВЫ ПОБЕДИЛИ!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>ВЫ ПРОИГРАЛИ!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>Соперник не отвечает!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Подключение к игре...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>Ждём флот соперника...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>Ждём компьютер соперника...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Enter ставит, R вращает, стрелки ходят</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Левый щелчок ставит, правый вращает</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Не помещается: за краем поля!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Не помещается: там другой корабль!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Не помещается: корабли касаются!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Расставьте флот! Ещё %n корабль.</numerusform>
            <numerusform>Расставьте флот! Ещё %n корабля.</numerusform>
            <numerusform>Расставьте флот! Ещё %n кораблей.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Сюда уже стреляли: выстрел впустую</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Ещё раз? Ctrl+N или кнопка «Ещё раз».</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>Соперник хочет сыграть ещё раз.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>Ждём ответа соперника...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>Соперник не хочет играть ещё раз.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Ещё раз</translation>
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
        <translation>Лёгкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Средний</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Сложный</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Компьютер, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Игрок LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Победа</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Поражение</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Прервано</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Закрыто</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Нет ответа</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Враг ушёл</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, обрезано</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Выстрелы: %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Повтор: %1, %2</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>пауза</translation>
    </message>
    <message>
        <source>Space: pause or play
Left, Right: one shot back or on
Home, End: the first or the last shot
1, 2, 3: speed x1, x4, x16
H: the whole enemy fleet
Esc: back to the menu</source>
        <translation>Пробел: пауза или дальше
Влево, Вправо: выстрел назад или вперёд
Home, End: первый или последний выстрел
1, 2, 3: скорость x1, x4, x16
H: весь вражеский флот
Esc: назад в меню</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Не удалось запустить сеть!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Сеть</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Создать</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Войти</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Первый запуск игры
Подождите, идёт проверка сети
Это займёт 1-2 мин...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>Локальный IP: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>Ожидание подключения...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>Ожидание противника...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Нет игры для подключения!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Использует надёжный сетевой протокол Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Имя компьютера или IP-адрес</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Добавить этот компьютер и спросить его об игре</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Убрать этот компьютер из списка</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Не удалось сохранить список компьютеров!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Компьютер «%1» не найден.</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Здесь появляются игры, созданные в вашей сети.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>ждать друга</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>войти в игру</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Запрос игры у %1...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>По адресу %1 ни одна игра не ответила.
Запрос повторяется каждые 2 секунды.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>Слишком длинно для имени
или адреса компьютера.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>Это не адрес
и не имя компьютера.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>Игра работает только по IPv4:
введите адрес вида 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Этот адрес охватывает всю сеть,
а не один компьютер.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>Это адрес самого этого компьютера.</translation>
    </message>
</context>
<context>
    <name>vtx::MainWindow</name>
    <message>
        <source>Single</source>
        <translation>Соло</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Сеть</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Бой</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опции</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Рекорды</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>Сеть на вашем компьютере недоступна!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>Порт UDP %1 занят:
%2
Ответы не смогут дойти до этой игры.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Назад на мостик: исходный вид полей</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Покинуть эту игру?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>МОСТИК</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>Музыку невозможно воспроизвести:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Выйти из Vortalix 3D?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>Звуковое устройство не открыто</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Не удаётся открыть файл мелодии: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>Файл мелодии не является файлом MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Ни одна мелодия не открыта</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Сообщение отсутствует</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Игрок:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Расставить корабли вручную</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Звук ВКЛ/ВЫКЛ</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Музыка ВКЛ/ВЫКЛ</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Уровень:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Лёгкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Средний</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Сложный</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>Настройки не сохранены!</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Адмирал</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Рекорды</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>Рекорды не сохранены!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Результатов пока нет.
Выиграйте игру, чтобы попасть в таблицу.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Сохранённых матчей пока нет.
Каждый сыгранный матч сохраняется здесь.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Смотреть</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Матчи</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Лучшие</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>не читается</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Смотреть можно из меню, когда матч не идёт.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Последние матчи</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>SDL2_mixer версии %1.%2.%3 не загружен</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Не удаётся запустить цифровую звуковую систему</translation>
    </message>
</context>
</TS>
