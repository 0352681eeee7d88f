#!/usr/bin/env python3
"""Two copies of the real program play a LAN match against each other.

Each copy runs in a network namespace of its own, with its own address on one
virtual subnet (a veth pair between the two namespaces), its own virtual X
display and its own runtime folder, and is driven by real pointer clicks with
xdotool, as two players on two computers would:

  1. A opens Network and creates a game; B opens Network, sees A in its list
     within the presence interval and joins.
  2. Both arrange at random, exchange fleets, A (the creator) shoots first;
     each side shoots the enemy cells in order while it has the turn, until
     one side has won and the other has lost.
  3. The winner's points wait for the high-score window, which shows them.
  4. A chat line each way (B's name in Cyrillic); both choose Play
     again, and a second match starts on the same link without the lobby,
     the loser of the first shooting first, and is played to its end.
  5. B goes back to the lobby instead of playing again, and A is told; a
     third match through the lobby: B leaves with Exit during it; A is told
     "Opponent left the game!".

The programs report what a player would read off the screen through a probe
file (VTX_TEST_PROBE). Only the namespaces, links and files this test makes
are created and removed. Skips (exit 77) where namespaces cannot be made.

With --impaired the two namespaces are joined through a third one in which
lan_relay.py forwards the frames and harms the datagrams (20 % lost, 5 %
doubled, 20 +- 10 ms late, 25 % overtaken): the two copies negotiate the
reliable protocol and still finish a whole match; then, in a second match,
one copy is killed with SIGKILL in the battle and the other must tell its
player that the opponent no longer answers.

    lan_match_test.py <runtime folder> <artefact folder> [--impaired]
"""

import math
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77
# TEST-NET-2: a documentation range, never a real network's.
SUBNET = "198.51.100"
VIEWER_W, VIEWER_H = 616, 547


def log(*args):
    print(*args, flush=True)


def run(*args, check=True, **kw):
    return subprocess.run(list(args), check=check, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, **kw)


def enemy_cell_offsets():
    """Pixel offsets inside the viewer of the enemy board's cell centres, from
    the camera at its start: at (9.1, 20.3, 2.5) looking at the origin,
    vertical field of view 2 * atan(50/100)."""
    ex, ey, ez = 9.1, 20.3, 2.5
    length = math.sqrt(ex * ex + ey * ey + ez * ez)
    fx, fy, fz = -ex / length, -ey / length, -ez / length
    rx, ry, rz = -fz, 0.0, fx
    rl = math.sqrt(rx * rx + rz * rz)
    rx, rz = rx / rl, rz / rl
    ux, uy, uz = ry * fz - rz * fy, rz * fx - rx * fz, rx * fy - ry * fx
    t, aspect = 0.5, VIEWER_W / VIEWER_H
    cells = []
    for r in range(1, 11):
        for c in range(1, 11):
            px, py, pz = c - 5 - ex, 0.1 - ey, r - 11 - ez
            cx = px * rx + py * ry + pz * rz
            cy = px * ux + py * uy + pz * uz
            cz = px * fx + py * fy + pz * fz
            sx = (cx / (cz * t * aspect) + 1) / 2 * VIEWER_W
            sy = (1 - cy / (cz * t)) / 2 * VIEWER_H
            cells.append((int(sx + 0.5), int(sy + 0.5)))
    return cells


class Side:
    def __init__(self, name, ns, address, display, work, run_dir, art_dir):
        self.name, self.ns, self.address, self.display = name, ns, address, display
        self.dir = os.path.join(work, name)
        self.probe_path = os.path.join(work, name + ".probe")
        self.art_dir = art_dir
        self.xvfb = self.game = None
        os.makedirs(self.dir)
        for entry in os.listdir(run_dir):
            if entry.lower() in ("vtx.ini", "hscore.dat", "clients.cfg"):
                continue
            os.symlink(os.path.join(run_dir, entry), os.path.join(self.dir, entry))
        self.next_cell = 0

    def env(self):
        env = dict(os.environ)
        env.update(DISPLAY=":%d" % self.display, SDL_AUDIODRIVER="dummy", VTX_TEST_PROBE=self.probe_path,
                   XDG_RUNTIME_DIR=self.dir)
        env.pop("XAUTHORITY", None)
        return env

    def nsexec(self, *args):
        return ["ip", "netns", "exec", self.ns] + list(args)

    def start_display(self):
        # -noreset: the server would reset when the readiness probe below
        # disconnects, and refuse the game connecting in that moment.
        self.xvfb = subprocess.Popen(self.nsexec("Xvfb", ":%d" % self.display, "-screen", "0", "1280x1024x24",
                                                 "-nolisten", "tcp", "-noreset"),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while time.time() < deadline:
            if run(*self.nsexec("xdpyinfo"), check=False, env=self.env()).returncode == 0:
                return
            time.sleep(0.2)
        raise RuntimeError(self.name + ": the virtual display did not start")

    def start_game(self):
        with open(os.path.join(self.art_dir, self.name + ".log"), "w") as out:
            self.game = subprocess.Popen(self.nsexec("./vortalix3d"), cwd=self.dir, env=self.env(), stdout=out,
                                         stderr=subprocess.STDOUT)
        self.main = self.window("^Vortalix 3D$")
        self.wait(lambda p: p.get("viewer"), "the first probe")

    def xdo(self, *args):
        return run(*self.nsexec("xdotool", *[str(a) for a in args]), check=False, env=self.env()).stdout

    def window(self, title, timeout=60):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.game and self.game.poll() is not None:
                raise RuntimeError("%s: the program ended (status %s)" % (self.name, self.game.returncode))
            ids = self.xdo("search", "--onlyvisible", "--name", title).split()
            if ids:
                # The window may be gone again by the time we ask (xdotool then
                # prints an X error instead of the geometry): look once more.
                geometry = dict(word.split("=", 1) for word in
                                self.xdo("getwindowgeometry", "--shell", ids[0]).split() if "=" in word)
                if "X" in geometry and "Y" in geometry:
                    return int(geometry["X"]), int(geometry["Y"])
            time.sleep(0.2)
        raise RuntimeError("%s: no window %s" % (self.name, title))

    def click(self, x, y):
        self.xdo("mousemove", x, y)
        time.sleep(0.1)
        self.xdo("click", 1)

    def button(self, window, x, y):
        self.click(window[0] + x, window[1] + y)

    def menu(self, top):  # the main window's buttons by their top: 328 Network, 448 Scores, 488 Exit
        self.button(self.main, 685, top + 12)

    def probe(self):
        try:
            with open(self.probe_path, encoding="utf-8") as f:
                return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        except OSError:
            return {}

    def wait(self, predicate, what, timeout=30, poll=0.05):
        deadline = time.time() + timeout
        while time.time() < deadline:
            p = self.probe()
            if p and predicate(p):
                return p
            time.sleep(poll)
        raise RuntimeError("%s: timed out waiting for %s; probe: %s" % (self.name, what, self.probe()))

    def shoot_next(self, cells):
        """Clicks the next enemy cell; True once the game counted the shot."""
        vx, vy = map(int, self.probe()["viewer"].split(","))
        shots = int(self.probe()["shots"])
        x, y = cells[self.next_cell]
        self.next_cell += 1
        # A move first: it also ends the idle spin of the world, if any.
        self.xdo("mousemove", vx + x + 2, vy + y + 2)
        time.sleep(0.05)
        self.click(vx + x, vy + y)
        self.wait(lambda p: int(p["shots"]) > shots or p["won"] == "1", "the shot", timeout=5, poll=0.005)
        return time.time()

    def screenshot(self, name):
        run(*self.nsexec("import", "-window", "root", os.path.join(self.art_dir, "%s-%s.png" % (self.name, name))),
            check=False, env=self.env())

    def stop(self):
        for proc in (self.game, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()


RELAY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lan_relay.py")
IMPAIRED = ["--loss", "0.2", "--duplicate", "0.05", "--delay", "20", "--jitter", "10", "--reorder", "0.25"]


def link_namespaces(tag, ns_a, ns_b, relay_ns, made, art_dir):
    """A veth pair between the two sides, or with relay_ns a pair from each
    side to the relay's namespace, where lan_relay.py joins them. Returns
    the relay's process, if any."""
    if relay_ns is None:
        run("ip", "link", "add", tag + "x", "netns", ns_a, "type", "veth", "peer", "name", tag + "y", "netns", ns_b)
        return None
    run("ip", "netns", "add", relay_ns)
    made.append(relay_ns)
    for ns, dev, far in ((ns_a, tag + "x", tag + "ra"), (ns_b, tag + "y", tag + "rb")):
        run("ip", "link", "add", dev, "netns", ns, "type", "veth", "peer", "name", far, "netns", relay_ns)
        run("ip", "-n", relay_ns, "link", "set", far, "promisc", "on")
        run("ip", "-n", relay_ns, "link", "set", far, "up")
    out = open(os.path.join(art_dir, "relay.log"), "w")
    return subprocess.Popen(["ip", "netns", "exec", relay_ns, sys.executable, RELAY, tag + "ra", tag + "rb",
                             "--seed", "6868", "--lifetime", "900"] + IMPAIRED, stdout=out, stderr=subprocess.STDOUT)


def percentile(values, p):
    values = sorted(values)
    return values[min(len(values) - 1, int(p * (len(values) - 1) + 0.5))]


def play_battle(a, b, cells, shot_timeout=5):
    """Each side fires while it has the turn until one has won; returns the
    times from a click on one screen to the shot shown on the other, ms."""
    latencies = []
    for _ in range(400):
        pa, pb = a.probe(), b.probe()
        if "1" in (pa["won"], pa["lost"], pb["won"], pb["lost"]):
            break
        shooter, other = (a, b) if pa["turn"] == "1" else (b, a) if pb["turn"] == "1" else (None, None)
        if shooter is None:
            time.sleep(0.05)
            continue
        before = other.probe()
        seen = int(before["enemyhits"])
        fired = shooter.shoot_next(cells)
        # The mark on the other screen: its own board took the shot (a hit
        # changes enemyhits, a miss hands the turn back).
        try:
            other.wait(lambda p: p["turn"] == "1" or int(p["enemyhits"]) > seen or p["lost"] == "1",
                       "the shot on the other side", timeout=shot_timeout, poll=0.005)
        except RuntimeError:
            log("shooter %s after cell %d: %s" % (shooter.name, shooter.next_cell, shooter.probe()))
            shooter.screenshot("stuck")
            other.screenshot("stuck")
            raise
        latencies.append((time.time() - fired) * 1000)
        if len(latencies) == 15:
            a.screenshot("battle")
            b.screenshot("battle")
    return latencies


def main():
    run_dir, art_dir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    impaired = "--impaired" in sys.argv[3:]
    if impaired:
        art_dir = os.path.join(art_dir, "impaired")
    os.makedirs(art_dir, exist_ok=True)
    if os.geteuid() != 0 or not shutil.which("ip"):
        log("SKIP: network namespaces need root and iproute2")
        return SKIP
    tag = "vtx%d" % (os.getpid() % 100000)
    ns_a, ns_b = tag + "a", tag + "b"
    relay = None
    work = tempfile.mkdtemp(prefix="vtx-lan-")
    made = []
    sides = []
    try:
        probe = run("ip", "netns", "add", ns_a, check=False)
        if probe.returncode != 0:
            log("SKIP: cannot create a network namespace here:", probe.stdout.strip())
            return SKIP
        made.append(ns_a)
        try:
            run("ip", "netns", "add", ns_b)
            made.append(ns_b)
            relay = link_namespaces(tag, ns_a, ns_b, tag + "r" if impaired else None, made, art_dir)
            hostname = socket.gethostname()
            for ns, dev, last in ((ns_a, tag + "x", 1), (ns_b, tag + "y", 2)):
                run("ip", "-n", ns, "addr", "add", "%s.%d/24" % (SUBNET, last), "broadcast", SUBNET + ".255", "dev", dev)
                run("ip", "-n", ns, "link", "set", dev, "up")
                run("ip", "-n", ns, "link", "set", "lo", "up")
                # The host name resolves to this side's own address in its namespace.
                os.makedirs("/etc/netns/" + ns, exist_ok=True)
                with open("/etc/netns/%s/hosts" % ns, "w") as f:
                    f.write("127.0.0.1 localhost\n%s.%d %s\n" % (SUBNET, last, hostname))
        except subprocess.CalledProcessError as error:
            log("SKIP: cannot link two network namespaces here:", (error.stdout or "").strip())
            return SKIP

        base = 140 + os.getpid() % 50
        a = Side("A", ns_a, SUBNET + ".1", base, work, run_dir, art_dir)
        b = Side("B", ns_b, SUBNET + ".2", base + 60, work, run_dir, art_dir)
        sides = [a, b]
        for side, name in ((a, "Alice"), (b, "Борис")):
            with open(os.path.join(side.dir, "vtx.ini"), "w", newline="", encoding="utf-8") as f:
                f.write("[Options]\r\nPlayerName=%s\r\nShipsManualArranging=0\r\nEnableSound=1\r\n"
                        "EnableMusic=0\r\nDifficulty=0\r\n" % name)
        # B knows A's computer from an earlier run; A scans at its first start
        # or, over the bad network, lists B by hand (its presence then also
        # goes to B's own address).
        with open(os.path.join(b.dir, "clients.cfg"), "w", newline="") as f:
            f.write("%-15s%s\r\n" % ("alice-pc", a.address))
        if impaired:
            with open(os.path.join(a.dir, "clients.cfg"), "w", newline="") as f:
                f.write("%-15s%s\r\n" % ("bob-pc", b.address))
        for side in sides:
            side.start_display()
        for side in sides:
            side.start_game()
        cells = enemy_cell_offsets()
        if impaired:
            return impaired_matches(a, b, cells)

        # 1. Lobby: A creates, B sees A and joins.
        ready = join_match(a, b, "first match")
        for side in sides:
            side.wait(lambda p: p["status"] == "Ready to Play!", "the ready status")
        log("join to both boards ready: %.0f ms" % (ready * 1000))
        first = a.probe()
        if first["turn"] != "1" or b.probe()["turn"] != "0":
            raise RuntimeError("the creator must shoot first")

        # 2. The battle, each side firing while it has the turn.
        latencies = play_battle(a, b, cells)
        pa, pb = a.probe(), b.probe()
        winner, loser = (a, b) if pa["won"] == "1" else (b, a)
        if winner.probe()["won"] != "1" or loser.probe()["lost"] != "1":
            raise RuntimeError("no win and loss: A %s, B %s" % (pa, pb))
        latencies.sort()
        log("shots: %d; shot taken on one screen to shown on the other: median %.0f ms, worst %.0f ms"
            % (len(latencies), latencies[len(latencies) // 2], latencies[-1]))
        winner.screenshot("won")
        loser.screenshot("lost")

        # 3. The winner's points wait for the high-score window.
        w = winner.wait(lambda p: p["inprogress"] == "0", "the end of the match")
        expected = 2 * (80 - int(w["shots"])) + 5 * (20 - int(w["enemyhits"]))  # at level 1
        if w["pending"] != "1" or int(w["points"]) != expected or w["scores"] != "0":
            raise RuntimeError("the winner's result is not waiting: %s" % w)
        winner.menu(448)
        winner.wait(lambda p: p["scores"] == "1", "the high-score window")
        winner.screenshot("scores")
        scores = winner.window("^HighScores$")
        winner.button(scores, 208, 292)  # Close
        winner.wait(lambda p: p["scores"] == "0", "the high-score window to close")

        # 4. A line each way, then Play again on both sides.
        say(a, "Good game!")
        b.wait(lambda p: p["chat"] == "Alice: Good game!", "A's line on B")
        # Latin letters: xdotool loses letters that it types through keys it
        # remaps, as Cyrillic ones on this keyboard; B's name is Cyrillic.
        say(b, "Thanks! Once more?")
        a.wait(lambda p: p["chat"] == "Борис: Thanks! Once more?", "B's line on A")
        a.screenshot("chat")
        b.screenshot("chat")
        for side in (winner, loser):
            side.menu(288)  # Single, now Play again
        for side in (a, b):
            side.wait(lambda p: p["matches"] == "2" and p["fight"] == "1", "the second match's battle")
            side.next_cell = 0
        if loser.probe()["turn"] != "1":
            raise RuntimeError("the loser of the first match must shoot first")
        a.screenshot("play-again")
        b.screenshot("play-again")
        play_battle(a, b, cells)
        for side in (a, b):
            side.wait(lambda p: p["inprogress"] == "0" and (p["won"] == "1" or p["lost"] == "1"),
                      "the end of the second match")

        # 5. B goes back to the lobby: A is told; a third match; B leaves during it.
        back_to_lobby(b, a)
        join_match(a, b, "third match")
        b.menu(488)  # Exit asks first
        b.button(b.window("^Message$"), 105, 153)  # Yes
        a.wait(lambda p: p["message"] == "Opponent left the game!", "the leave message on A")
        a.screenshot("opponent-left")
        log("ok: a LAN match won and lost, score pending, chat both ways, a second match through Play again, "
            "a declined one told, leave message shown")
        return 0
    finally:
        for side in sides:
            side.stop()
        if relay and relay.poll() is None:
            relay.terminate()
            relay.wait(5)
        for ns in made:
            run("ip", "netns", "del", ns, check=False)
            shutil.rmtree("/etc/netns/" + ns, ignore_errors=True)
        shutil.rmtree(work, ignore_errors=True)


def say(side, text):
    """Opens the chat field with the panel's Chat button, types, sends."""
    side.button(side.main, 685, 528)
    time.sleep(0.3)
    side.xdo("type", "--delay", "30", text)
    side.xdo("key", "Return")


def back_to_lobby(leaving, other):
    """After an extended match, one side opens the lobby instead of playing
    again; the other is told and closes the message."""
    leaving.menu(328)
    other.wait(lambda p: p["message"] == "The opponent does not want to play again.", "the answer told",
               timeout=20)
    other.button(other.window("^Message$"), 152, 153)  # Ok
    other.wait(lambda p: p["message"] == "", "the message closed")


def join_match(a, b, what):
    """A creates, B joins; returns the seconds from Join to both boards ready."""
    a.next_cell = b.next_cell = 0
    a.menu(328)
    lobby_a = a.window("^Network$")
    a.wait(lambda p: p["lobby"] == "1" and p["netmode"] == "1", "A's lobby")
    a.button(lobby_a, 64, 154)  # Create
    a.wait(lambda p: p["status"] == "Waiting for Opponent...", "A waiting")
    b.menu(328)
    lobby_b = b.window("^Network$")
    try:
        b.wait(lambda p: int(p["servers"]) >= 1, "A in B's server list", timeout=15)
    except RuntimeError:
        for side in (a, b):
            with open(os.path.join(side.dir, "clients.cfg"), "rb") as f:
                log("%s's clients.cfg: %r; probe %s" % (side.name, f.read(), side.probe()))
        raise
    time.sleep(0.5)  # let the new line paint
    b.screenshot("lobby-" + what)
    joined = time.time()
    b.button(lobby_b, 152, 154)  # Join
    for side in (a, b):
        side.wait(lambda p: p["fight"] == "1", "both boards ready for the %s" % what)
    return time.time() - joined


def impaired_matches(a, b, cells):
    # 1. A whole match over the bad network.
    ready = join_match(a, b, "first match")
    log("impaired: join to both boards ready: %.0f ms" % (ready * 1000))
    if a.probe()["turn"] != "1" or b.probe()["turn"] != "0":
        raise RuntimeError("the creator must shoot first")
    latencies = play_battle(a, b, cells, shot_timeout=20)
    pa, pb = a.probe(), b.probe()
    winner, loser = (a, b) if pa["won"] == "1" else (b, a)
    if winner.probe()["won"] != "1":
        raise RuntimeError("no winner: A %s, B %s" % (pa, pb))
    # The winning shot may still be on its way (retried) when the winner's
    # match is over.
    loser.wait(lambda p: p["lost"] == "1", "the loss on the other side", timeout=20)
    log("impaired: shots: %d; click on one screen to the shot on the other: median %.0f ms, 95th percentile "
        "%.0f ms, worst %.0f ms" % (len(latencies), percentile(latencies, 0.5), percentile(latencies, 0.95),
                                    max(latencies)))
    winner.screenshot("won")
    loser.screenshot("lost")
    for side in (a, b):
        side.wait(lambda p: p["inprogress"] == "0", "the end of the match")

    # 2. A second match; B's computer vanishes in the battle (after the
    # first match the camera may have turned, so no clicks on cells here).
    back_to_lobby(b, a)
    join_match(a, b, "second match")
    time.sleep(1)
    b.game.send_signal(signal.SIGKILL)
    killed = time.time()
    a.wait(lambda p: p["message"] == "No answer from the opponent!", "the vanished opponent told on A", timeout=20)
    log("impaired: a killed opponent was told after %.1f s" % (time.time() - killed))
    a.screenshot("opponent-gone")
    log("ok: a whole LAN match over a bad network, and a vanished opponent told")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
