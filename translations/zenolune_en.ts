<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>main</name>
    <message>
        <source>Usage : zenolune [--version] [--help]
Ouvre Zenolune, les satellites galiléens de Jupiter pour une date et une heure.
L&apos;aide complète est dans le programme (« Aide ») et dans man zenolune ; les calculs en ligne de commande : zenolune-ephem --help.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zenolune : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY) ; lancez le programme dans une session graphique.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
