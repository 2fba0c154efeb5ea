<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Form1</name>
    <message>
        <source>&amp;Langue / Language</source>
        <translation>&amp;Langue / Language</translation>
    </message>
    <message>
        <source>Français ou anglais, au prochain démarrage / French or English, at the next start</source>
        <translation>Français ou anglais, au prochain démarrage / French or English, at the next start</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Langue du système / System language</source>
        <translation>Langue du système / System language</translation>
    </message>
    <message>
        <source>La langue choisie s&apos;appliquera au prochain démarrage de Zenolune.
The chosen language applies the next time Zenolune starts.</source>
        <translation>La langue choisie s&apos;appliquera au prochain démarrage de Zenolune.
The chosen language applies the next time Zenolune starts.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage : zenolune [--version] [--help]
Ouvre Zenolune, les satellites galiléens de Jupiter pour une date et une heure.
L&apos;aide complète est dans le programme (« Aide ») et dans man zenolune ; les calculs en ligne de commande : zenolune-ephem --help.
</source>
        <translation>Usage: zenolune [--version] [--help]
Opens Zenolune, Jupiter&apos;s Galilean satellites for a date and time.
The full help is in the program (&quot;Help&quot;) and in man zenolune; computations from the command line: zenolune-ephem --help.
</translation>
    </message>
    <message>
        <source>zenolune : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY) ; lancez le programme dans une session graphique.
</source>
        <translation>zenolune: no display available (neither DISPLAY nor WAYLAND_DISPLAY); start the program in a graphical session.
</translation>
    </message>
</context>
</TS>
