#!/usr/bin/env python3
"""Writes the damaged list files the list file tests read. Run from this directory.
The catalogue line of long_lines.pnv is longer than the reader's buffer."""
import random

def write(name, data):
    with open(name, "wb") as f:
        f.write(data)

SMALL = (b"[RAYON]\r\nBoulangerie\r\n\tPains\r\n[LISTE]\r\n"
         b"Boulangerie;Pains;Baguette;1;N;N;;;\r\n[PRODUIT]\r\n"
         b"Boulangerie;Pains;Baguette;X;1;1,3;N;N;;;;\r\n"
         b"Boulangerie;Pains;Pain complet; ;2;2,8;N;O;3;01/12/2026;;\r\n[SAISIE]\r\n")

write("empty.pnv", b"")
write("only_cr.pnv", b"\r" * 500)
write("only_crlf.pnv", b"\r\n" * 50)
with open("../../../examples/kabiro.pnv", "rb") as f:
    example = f.read()
write("truncated.pnv", example[: example.index(b"[SAISIE]") - 700])
write("missing_produit.pnv", b"[RAYON]\r\nA\r\n\tB\r\n[LISTE]\r\nA;B;C;1;N;N;;;\r\n")
write("header_only.pnv", b"[RAYON]\r\n")
write("level_jump.pnv",
      SMALL.replace(b"Boulangerie\r\n", b"Boulangerie\r\n\t\tViennoiseries\r\n", 1) + b"DATE=x\r\n")
rng = random.Random(1252)
garbage = bytearray(rng.randrange(256) for _ in range(4096))
garbage[100] = 0
write("binary.pnv", bytes(garbage))
write("garbage_text.pnv",
      b"\xff\xfe garbage header\r\n\x81\x8d odd bytes\r\n[\r\n"
      b"a;b;c;d;e;f;g;h;i;j;\r\n\x01\x02\x03\r\n???[???\r\n"
      b"1;2;3;4;5;6;7;8;9;10;11;12;\r\n;;;;;;;;;;;;;;\r\n\xe9\xe8;;;\r\n[x\r\nD")
write("long_lines.pnv",
      b"[RAYON]\r\nMagasin\r\n\t" + b"R" * 2000 + b"\r\n[LISTE]\r\n"
      b"S;" + b"x" * 2000 + b";P;1;N;N;;;\r\n[PRODUIT]\r\n" + b"y" * 300000 +
      b";R;P; ;1;2;N;N;;;;\r\nS;R;Q; ;2;2;N;N;;;;\r\n[SAISIE]\r\nDATE=" + b"D" * 2000)
write("no_date.pnv", SMALL)
write("brackets_only.pnv", b"x\r\nA\r\n[\r\nrow;\r\n[\r\nprod;\r\n[\r\nDATE=\r\n")
