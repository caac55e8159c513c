"Games 1 - \SETUP.EXE"
"Games 1 - \DATA\LEVEL1.DAT"
"Photos, 2002 - \IMG001.JPG"
