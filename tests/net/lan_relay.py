#!/usr/bin/env python3
"""A bad network between two interfaces: forwards every Ethernet frame that
arrives on one to the other, and harms the UDP ones on the way as a busy
wireless network would: each is lost, doubled, delayed and overtaken with the
given chances, from a seeded generator, so a run can be repeated. ARP and
everything else passes at once, unharmed.

Runs inside a network namespace of its own that holds the two interfaces
(the far ends of two veth pairs), where the kernel has no netem to do this.

    lan_relay.py IF1 IF2 --seed N --loss P --duplicate P --delay MS --jitter MS
                 --reorder P [--lifetime S]

Prints one line of counts when it ends (SIGTERM, or after --lifetime seconds).
"""

import argparse
import heapq
import random
import select
import signal
import socket
import sys
import time

ETH_P_ALL = 0x0003
PACKET_OUTGOING = 4


def is_udp(frame):
    return len(frame) >= 34 and frame[12:14] == b"\x08\x00" and frame[23] == 17


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("if1")
    parser.add_argument("if2")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--loss", type=float, default=0.0)
    parser.add_argument("--duplicate", type=float, default=0.0)
    parser.add_argument("--delay", type=float, default=0.0)
    parser.add_argument("--jitter", type=float, default=0.0)
    parser.add_argument("--reorder", type=float, default=0.0)
    parser.add_argument("--lifetime", type=float, default=900.0)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    socks = {}
    for name in (args.if1, args.if2):
        s = socket.socket(socket.AF_PACKET, socket.SOCK_RAW, socket.htons(ETH_P_ALL))
        s.bind((name, 0))
        s.setblocking(False)
        socks[name] = s
    other = {args.if1: socks[args.if2], args.if2: socks[args.if1]}
    by_fd = {s.fileno(): name for name, s in socks.items()}
    counts = dict(udp=0, lost=0, doubled=0, reordered=0, other=0)
    queue = []  # (due, order, socket, frame)
    order = 0
    ending = []
    signal.signal(signal.SIGTERM, lambda *_: ending.append(1))
    stop_at = time.monotonic() + args.lifetime

    while not ending and time.monotonic() < stop_at:
        now = time.monotonic()
        while queue and queue[0][0] <= now:
            _, _, out, frame = heapq.heappop(queue)
            out.send(frame)
        timeout = 0.05 if not queue else max(0.0, min(0.05, queue[0][0] - now))
        ready, _, _ = select.select(list(by_fd), [], [], timeout)
        for fd in ready:
            name = by_fd[fd]
            while True:
                try:
                    frame, address = socks[name].recvfrom(65536)
                except BlockingIOError:
                    break
                if address[2] == PACKET_OUTGOING:
                    continue  # our own forwarding, seen leaving
                out = other[name]
                if not is_udp(frame):
                    counts["other"] += 1
                    out.send(frame)
                    continue
                counts["udp"] += 1
                # The sender's checksum may be left to an offload that never
                # happens on this path; 0 means "none" in IPv4 UDP.
                frame = bytearray(frame)
                header = 14 + (frame[14] & 0x0F) * 4
                frame[header + 6:header + 8] = b"\0\0"
                frame = bytes(frame)
                if rng.random() < args.loss:
                    counts["lost"] += 1
                    continue
                copies = 2 if rng.random() < args.duplicate else 1
                counts["doubled"] += copies - 1
                for _ in range(copies):
                    delay = args.delay + rng.uniform(-args.jitter, args.jitter)
                    if rng.random() < args.reorder:
                        # Held back long enough for the next datagrams to pass it.
                        delay += args.delay + args.jitter + 5
                        counts["reordered"] += 1
                    order += 1
                    heapq.heappush(queue, (time.monotonic() + max(0.0, delay) / 1000.0, order, out, frame))
    print("relay: %(udp)d UDP frames, %(lost)d lost, %(doubled)d doubled, %(reordered)d held back, "
          "%(other)d other frames" % counts, flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
