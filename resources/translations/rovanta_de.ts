<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Rovanta</source>
        <translation>Über Rovanta</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CommandActions</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open Tour…</source>
        <translation>Tour öffnen…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message>
        <source>Zoom in 	ALT++</source>
        <translation>Vergrößern 	ALT++</translation>
    </message>
    <message>
        <source>Zoom out 	ALT+-</source>
        <translation>Verkleinern 	ALT+-</translation>
    </message>
    <message>
        <source>Tour</source>
        <translation>Tour</translation>
    </message>
    <message>
        <source>New Tour</source>
        <translation>Neue Tour</translation>
    </message>
    <message>
        <source>Save Tour</source>
        <translation>Tour speichern</translation>
    </message>
    <message>
        <source>Clear Tour</source>
        <translation>Tour löschen</translation>
    </message>
    <message>
        <source>Tour Distances</source>
        <translation>Tourdistanzen</translation>
    </message>
    <message>
        <source>Import GPX…</source>
        <translation>GPX importieren…</translation>
    </message>
    <message>
        <source>Export GPX…</source>
        <translation>GPX exportieren…</translation>
    </message>
    <message>
        <source>Export KML…</source>
        <translation>KML exportieren…</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>CSV exportieren…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>Deutsche Hilfe</source>
        <translation>Deutsche Hilfe</translation>
    </message>
    <message>
        <source>English Help</source>
        <translation>English Help</translation>
    </message>
    <message>
        <source>&amp;About Rovanta...</source>
        <translation>&amp;Über Rovanta...</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>Recent Tours</source>
        <translation>Letzte Touren</translation>
    </message>
    <message>
        <source>Print Map…</source>
        <translation>Karte drucken…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Whole Map</source>
        <translation>Ganze Karte</translation>
    </message>
    <message>
        <source>1:1</source>
        <translation>1:1</translation>
    </message>
    <message>
        <source>UTM Grid</source>
        <translation>UTM-Gitter</translation>
    </message>
    <message>
        <source>Go to Position…	Ctrl+G</source>
        <translation>Gehe zu Position…	Strg+G</translation>
    </message>
</context>
<context>
    <name>DistancePrint</name>
    <message>
        <source>Point</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>km</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Easting</source>
        <translation>Rechtswert</translation>
    </message>
    <message>
        <source>Northing</source>
        <translation>Hochwert</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Distances for Tour: </source>
        <translation>Distanzen der Tour: </translation>
    </message>
</context>
<context>
    <name>FolderPage</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>My Computer</source>
        <translation>Arbeitsplatz</translation>
    </message>
</context>
<context>
    <name>MessageDialog</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>PropertiesDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>RemarksDialog</name>
    <message>
        <source>Remarks for Tour: </source>
        <translation>Bemerkungen zur Tour: </translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>RemarksEditor</name>
    <message>
        <source>Input the remark for point %1 here!</source>
        <translation>Geben Sie hier die Bemerkung zu Punkt %1 ein!</translation>
    </message>
    <message>
        <source>Remarks for Tour: </source>
        <translation>Bemerkungen zur Tour: </translation>
    </message>
</context>
<context>
    <name>RenameDialog</name>
    <message>
        <source>Rename Map Name</source>
        <translation>Kartenname umbenennen</translation>
    </message>
    <message>
        <source>Old Name</source>
        <translation>Alter Name</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>No selected Map found!</source>
        <translation>Keine ausgewählte Karte gefunden!</translation>
    </message>
    <message>
        <source>Rename not possible!</source>
        <translation>Umbenennen nicht möglich!</translation>
    </message>
    <message>
        <source>File not found!</source>
        <translation>Datei nicht gefunden!</translation>
    </message>
    <message>
        <source>Printing not possible!</source>
        <translation>Drucken nicht möglich!</translation>
    </message>
    <message>
        <source>The File %1 is too large to be read!</source>
        <translation>Die Datei %1 ist zu groß zum Lesen!</translation>
    </message>
    <message>
        <source>The File %1 could not be saved: %2</source>
        <translation>Die Datei %1 konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The File %1 is no usable GPX file: %2</source>
        <translation>Die Datei %1 ist keine verwendbare GPX-Datei: %2</translation>
    </message>
    <message>
        <source>The File %1 cannot be read as a tour!</source>
        <translation>Die Datei %1 lässt sich nicht als Tour lesen!</translation>
    </message>
    <message>
        <source>The File %1 is no usable map calibration file!</source>
        <translation>Die Datei %1 ist keine verwendbare Kalibrierdatei!</translation>
    </message>
    <message>
        <source>The File %1 is no tour (.TXT), GPX file (.gpx) or map (.cal)!</source>
        <translation>Die Datei %1 ist weder eine Tour (.TXT) noch eine GPX-Datei (.gpx) oder Karte (.cal)!</translation>
    </message>
    <message>
        <source>Bitmap not found: %1</source>
        <translation>Bitmap nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Bitmap format not supported: %1</source>
        <translation>Bitmap-Format nicht unterstützt: %1</translation>
    </message>
    <message>
        <source>Bitmap cannot be read: %1</source>
        <translation>Bitmap nicht lesbar: %1</translation>
    </message>
    <message>
        <source>Help file not found: %1</source>
        <translation>Hilfedatei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Problems in calibration files:</source>
        <translation>Probleme in Kalibrierdateien:</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>no reference point</source>
        <translation>kein Referenzpunkt</translation>
    </message>
    <message>
        <source>only one reference point</source>
        <translation>nur ein Referenzpunkt</translation>
    </message>
    <message>
        <source>both reference points on the same pixel</source>
        <translation>beide Referenzpunkte auf demselben Pixel</translation>
    </message>
    <message>
        <source>both reference points at the same position</source>
        <translation>beide Referenzpunkte an derselben Position</translation>
    </message>
    <message>
        <source>reference points too far apart or outside the UTM area</source>
        <translation>Referenzpunkte zu weit auseinander oder außerhalb des UTM-Bereichs</translation>
    </message>
    <message>
        <source>no bitmap named (no FILENAME: line)</source>
        <translation>keine Bitmap genannt (keine Zeile FILENAME:)</translation>
    </message>
    <message>
        <source>bitmap not found: %1</source>
        <translation>Bitmap nicht gefunden: %1</translation>
    </message>
    <message>
        <source>bitmap not readable: %1</source>
        <translation>Bitmap nicht lesbar: %1</translation>
    </message>
    <message>
        <source>bitmap format not supported</source>
        <translation>Bitmap-Format nicht unterstützt</translation>
    </message>
    <message>
        <source>hemisphere letter %1 is not N, E, O, S or W</source>
        <translation>Buchstabe der Himmelsrichtung %1 ist nicht N, E, O, S oder W</translation>
    </message>
    <message>
        <source>hemisphere letter missing</source>
        <translation>Buchstabe der Himmelsrichtung fehlt</translation>
    </message>
    <message>
        <source>Rovanta</source>
        <translation>Rovanta</translation>
    </message>
    <message>
        <source>For Help, press F1</source>
        <translation>Drücken Sie F1, um Hilfe zu erhalten.</translation>
    </message>
    <message>
        <source>Activate the Manager Tool
Manager</source>
        <translation>Den Manager öffnen
Manager</translation>
    </message>
    <message>
        <source>Zoom into the map
ZoomIn</source>
        <translation>Die Karte vergrößern
Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out the map
ZoomOut</source>
        <translation>Die Karte verkleinern
Verkleinern</translation>
    </message>
    <message>
        <source>Add a new point to the tour. Center this position.
AddPoint</source>
        <translation>Einen neuen Punkt an die Tour anhängen. Diese Position zentrieren.
Punkt anhängen</translation>
    </message>
    <message>
        <source>Delete the last point
DeleteLastPoint</source>
        <translation>Den letzten Punkt löschen
Letzten Punkt löschen</translation>
    </message>
    <message>
        <source>Initialize a new tour
NewTour</source>
        <translation>Eine neue Tour beginnen
Neue Tour</translation>
    </message>
    <message>
        <source>Save the last tour
SaveTour</source>
        <translation>Die letzte Tour speichern
Tour speichern</translation>
    </message>
    <message>
        <source>Display the next map
NextMap</source>
        <translation>Die nächste Karte anzeigen
Nächste Karte</translation>
    </message>
    <message>
        <source>Zoom in,  positioning this point in the midle of the screen
ZoomInHere</source>
        <translation>Vergrößern und diesen Punkt in die Mitte des Fensters rücken
Hier vergrößern</translation>
    </message>
    <message>
        <source>Zoom out, positioning this point in the midle of the screen
ZoomOutHere</source>
        <translation>Verkleinern und diesen Punkt in die Mitte des Fensters rücken
Hier verkleinern</translation>
    </message>
    <message>
        <source>Display tour distances
TourDistance</source>
        <translation>Die Tourdistanzen anzeigen
Tourdistanzen</translation>
    </message>
    <message>
        <source>Deletes the point under the cursor
DeleteThisPoint</source>
        <translation>Löscht den Punkt unter dem Mauszeiger
Diesen Punkt löschen</translation>
    </message>
    <message>
        <source>Move this point to the next marked position
MoveThisPoint</source>
        <translation>Diesen Punkt an die nächste markierte Position verschieben
Diesen Punkt verschieben</translation>
    </message>
    <message>
        <source>Insert a point before this point
InsertBeforeThis</source>
        <translation>Einen Punkt vor diesem Punkt einfügen
Davor einfügen</translation>
    </message>
    <message>
        <source>Clear the current tour
ClearTour</source>
        <translation>Die aktuelle Tour löschen
Tour löschen</translation>
    </message>
    <message>
        <source>Display program information and version
About</source>
        <translation>Programminformationen und Version anzeigen
Über</translation>
    </message>
    <message>
        <source>Quit Rovanta
Exit</source>
        <translation>Rovanta beenden
Beenden</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Symbolleiste ein- oder ausblenden
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation>Hilfethemen auflisten
Hilfethemen</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation>Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern anzeigen
Hilfe</translation>
    </message>
    <message>
        <source>Start over with the selected map
New</source>
        <translation>Mit der ausgewählten Karte neu beginnen
Neu</translation>
    </message>
    <message>
        <source>Keyword %1 not found!</source>
        <translation>Schlüsselwort %1 nicht gefunden!</translation>
    </message>
    <message>
        <source>You will delete the Map Name %1 from the Maps List (the Map and the Cal-File will not be deleted)! Continue?</source>
        <translation>Sie entfernen den Kartennamen %1 aus der Kartenliste (die Karte und die Kalibrierdatei werden nicht gelöscht)! Fortfahren?</translation>
    </message>
    <message>
        <source>You will delete the Tour Name %1 from the Tour List (not the Tur-File itself)! Continue?</source>
        <translation>Sie entfernen den Tournamen %1 aus der Tourliste (nicht die Tourdatei selbst)! Fortfahren?</translation>
    </message>
    <message>
        <source>The File allready exists! Continue?</source>
        <translation>Die Datei existiert bereits! Fortfahren?</translation>
    </message>
    <message>
        <source>Last Tour is not saved! Would you save it?</source>
        <translation>Die letzte Tour ist nicht gespeichert! Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>Search Help File</source>
        <translation>Hilfedatei suchen</translation>
    </message>
    <message>
        <source>Help File (*.chm) | *.chm||</source>
        <translation>Hilfedatei (*.chm) | *.chm||</translation>
    </message>
    <message>
        <source>Text File (*.TXT) | *.TXT||</source>
        <translation>Textdatei (*.TXT) | *.TXT||</translation>
    </message>
    <message>
        <source>Tours (*.TXT *.gpx) | *.TXT;*.gpx||</source>
        <translation>Touren (*.TXT *.gpx) | *.TXT;*.gpx||</translation>
    </message>
    <message>
        <source>GPX File (*.gpx) | *.gpx||</source>
        <translation>GPX-Datei (*.gpx) | *.gpx||</translation>
    </message>
    <message>
        <source>KML File (*.kml) | *.kml||</source>
        <translation>KML-Datei (*.kml) | *.kml||</translation>
    </message>
    <message>
        <source>CSV File (*.csv) | *.csv||</source>
        <translation>CSV-Datei (*.csv) | *.csv||</translation>
    </message>
    <message>
        <source>Recover the unsaved tour &quot;%1&quot; from %2?</source>
        <translation>Die ungespeicherte Tour „%1“ vom %2 wiederherstellen?</translation>
    </message>
    <message>
        <source>Path: </source>
        <translation>Pfad: </translation>
    </message>
    <message>
        <source>Date:   </source>
        <translation>Datum:  </translation>
    </message>
    <message>
        <source>Width:  </source>
        <translation>Breite: </translation>
    </message>
    <message>
        <source>Height: </source>
        <translation>Höhe:   </translation>
    </message>
    <message>
        <source>Size:   </source>
        <translation>Größe:  </translation>
    </message>
    <message>
        <source>Color:  </source>
        <translation>Farben: </translation>
    </message>
    <message>
        <source>Please type the scale as 1:25000 or 25000!</source>
        <translation>Bitte geben Sie den Maßstab als 1:25000 oder 25000 ein!</translation>
    </message>
    <message>
        <source>The map needs too many pages at this scale!</source>
        <translation>Die Karte braucht bei diesem Maßstab zu viele Seiten!</translation>
    </message>
    <message>
        <source>The overlap is too large for this paper!</source>
        <translation>Die Überlappung ist zu groß für dieses Papier!</translation>
    </message>
    <message>
        <source>Go to Position</source>
        <translation>Gehe zu Position</translation>
    </message>
    <message>
        <source>Position in degrees, degrees and minutes, degrees, minutes and seconds, or UTM:</source>
        <translation>Position in Grad, Grad und Minuten, Grad, Minuten und Sekunden oder UTM:</translation>
    </message>
    <message>
        <source>No checked map holds this position!</source>
        <translation>Keine angehakte Karte enthält diese Position!</translation>
    </message>
    <message>
        <source>A new tour has started with this point. Double-click to add more; Tour &gt; Save Tour keeps it.</source>
        <translation>Mit diesem Punkt hat eine neue Tour begonnen. Doppelklicken Sie für weitere Punkte; Tour &gt; Tour speichern sichert sie.</translation>
    </message>
    <message>
        <source>Preparing %1 for display: %2 %</source>
        <translation>%1 wird für die Anzeige vorbereitet: %2 %</translation>
    </message>
    <message>
        <source>raster not readable: %1</source>
        <translation>Rasterdatei nicht lesbar: %1</translation>
    </message>
    <message>
        <source>georeferenced, but no coordinate system</source>
        <translation>georeferenziert, aber ohne Koordinatensystem</translation>
    </message>
    <message>
        <source>no transform to WGS 84: %1</source>
        <translation>keine Umrechnung nach WGS 84: %1</translation>
    </message>
    <message>
        <source>Show the whole map in the window
WholeMap</source>
        <translation>Die ganze Karte im Fenster zeigen
Ganze Karte</translation>
    </message>
    <message>
        <source>Show the map at its own size
1:1</source>
        <translation>Die Karte in ihrer Originalgröße zeigen
1:1</translation>
    </message>
    <message>
        <source>Print the map at a true scale with the tour
Print Map</source>
        <translation>Die Karte maßstabsgetreu mit der Tour drucken
Karte drucken</translation>
    </message>
    <message>
        <source>Undo the last change of the tour
Undo</source>
        <translation>Die letzte Änderung der Tour rückgängig machen
Rückgängig</translation>
    </message>
    <message>
        <source>Redo the change undone last
Redo</source>
        <translation>Die zuletzt rückgängig gemachte Änderung wiederherstellen
Wiederherstellen</translation>
    </message>
    <message>
        <source>Show or hide the UTM grid of the map&apos;s zone
UTM Grid</source>
        <translation>Das UTM-Gitter der Zone der Karte ein- oder ausblenden
UTM-Gitter</translation>
    </message>
    <message>
        <source>Show a position typed in degrees or UTM
Go to Position</source>
        <translation>Eine in Grad oder UTM eingegebene Position zeigen
Gehe zu Position</translation>
    </message>
    <message>
        <source>Add Point</source>
        <translation>Punkt anhängen</translation>
    </message>
    <message>
        <source>Insert Point</source>
        <translation>Punkt einfügen</translation>
    </message>
    <message>
        <source>Move Point</source>
        <translation>Punkt verschieben</translation>
    </message>
    <message>
        <source>Delete Point</source>
        <translation>Punkt löschen</translation>
    </message>
    <message>
        <source>Delete Last Point</source>
        <translation>Letzten Punkt löschen</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Clear Tour</source>
        <translation>Tour löschen</translation>
    </message>
    <message>
        <source>, line %1</source>
        <translation>, Zeile %1</translation>
    </message>
    <message>
        <source>unknown format</source>
        <translation>unbekanntes Format</translation>
    </message>
    <message>
        <source>degenerate geotransform</source>
        <translation>entartete Geotransformation</translation>
    </message>
    <message>
        <source>control points</source>
        <translation>Passpunkte</translation>
    </message>
    <message>
        <source>System: </source>
        <translation>System: </translation>
    </message>
    <message>
        <source>Scale:  %1 m per pixel</source>
        <translation>Maßstab: %1 m pro Pixel</translation>
    </message>
    <message>
        <source>Point %1 off by %2 m</source>
        <translation>Punkt %1 weicht %2 m ab</translation>
    </message>
    <message>
        <source>UTM zone %1 (WGS 84), two-point calibration</source>
        <translation>UTM-Zone %1 (WGS 84), Kalibrierung über zwei Punkte</translation>
    </message>
    <message>
        <source>unnamed coordinate system</source>
        <translation>unbenanntes Koordinatensystem</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Tour: %1   Distance: %2 km   </source>
        <translation>Tour: %1   Länge: %2 km   </translation>
    </message>
    <message>
        <source>Scale %1   Map: %2</source>
        <translation>Maßstab %1   Karte: %2</translation>
    </message>
    <message>
        <source>Page %1 (%2), %3 of %4</source>
        <translation>Seite %1 (%2), %3 von %4</translation>
    </message>
    <message>
        <source>row %1, column %2</source>
        <translation>Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>GN</source>
        <translation>GN</translation>
    </message>
    <message>
        <source>Position not understood. Type it like one of these:
47.2683 11.3933
47°16.098&apos; N 11°23.598&apos; E
47°16&apos;05.9&quot; N 11°23&apos;35.9&quot; E
N 47 16.098 E 11 23.598
32T 680000 5237000</source>
        <translation>Position nicht verstanden. Geben Sie sie wie eines dieser Beispiele ein:
47.2683 11.3933
47°16.098&apos; N 11°23.598&apos; E
47°16&apos;05.9&quot; N 11°23&apos;35.9&quot; E
N 47 16.098 E 11 23.598
32T 680000 5237000</translation>
    </message>
</context>
<context>
    <name>TourDistancesDialog</name>
    <message>
        <source>Distances for Tour: </source>
        <translation>Distanzen der Tour: </translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>dec. Degree</source>
        <translation>Dez. Grad</translation>
    </message>
    <message>
        <source>dec. Minute</source>
        <translation>Dez. Minuten</translation>
    </message>
    <message>
        <source>dec. Seconde</source>
        <translation>Dez. Sekunden</translation>
    </message>
    <message>
        <source>UTM</source>
        <translation>UTM</translation>
    </message>
    <message>
        <source>Display Format</source>
        <translation>Anzeigeformat</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>km</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Easting</source>
        <translation>Rechtswert</translation>
    </message>
    <message>
        <source>Northing</source>
        <translation>Hochwert</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
</context>
<context>
    <name>ViewPopup</name>
    <message>
        <source>Add Point Center</source>
        <translation>Punkt anhängen und zentrieren</translation>
    </message>
    <message>
        <source>Insert Before This</source>
        <translation>Davor einfügen</translation>
    </message>
    <message>
        <source>Move This Point</source>
        <translation>Diesen Punkt verschieben</translation>
    </message>
    <message>
        <source>Delete This Point</source>
        <translation>Diesen Punkt löschen</translation>
    </message>
    <message>
        <source>Delete Last Point</source>
        <translation>Letzten Punkt löschen</translation>
    </message>
    <message>
        <source>Zoom In Here</source>
        <translation>Hier vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out Here</source>
        <translation>Hier verkleinern</translation>
    </message>
    <message>
        <source>Next Map</source>
        <translation>Nächste Karte</translation>
    </message>
</context>
<context>
    <name>rovanta::AboutDialog</name>
    <message>
        <source>Rovanta Version %1</source>
        <translation>Rovanta Version %1</translation>
    </message>
</context>
<context>
    <name>rovanta::CMainFrame</name>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
</context>
<context>
    <name>rovanta::CRovantaApp</name>
    <message>
        <source>The settings could not be saved to %1!</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden!</translation>
    </message>
    <message>
        <source>Show the sample maps?</source>
        <translation>Die Beispielkarten anzeigen?</translation>
    </message>
</context>
<context>
    <name>rovanta::HelpBrowser</name>
    <message>
        <source>&lt;html&gt;&lt;body&gt;&lt;h1&gt;Page not found&lt;/h1&gt;&lt;p&gt;The help file has no page %1.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;h1&gt;Seite nicht gefunden&lt;/h1&gt;&lt;p&gt;Die Hilfedatei hat keine Seite %1.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>rovanta::HelpWindow</name>
    <message>
        <source>Rovanta Help</source>
        <translation>Rovanta-Hilfe</translation>
    </message>
    <message>
        <source>Type in the keyword to find</source>
        <translation>Geben Sie das gesuchte Stichwort ein</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>&amp;Startseite</translation>
    </message>
</context>
<context>
    <name>rovanta::ImportDialog</name>
    <message>
        <source>Route</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Waypoints</source>
        <translation>Wegpunkte</translation>
    </message>
    <message>
        <source>Import GPX - %1</source>
        <translation>GPX importieren - %1</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(ohne Namen)</translation>
    </message>
    <message>
        <source>%1: %2, %3 points</source>
        <translation>%1: %2, %3 Punkte</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Toleranz:</translation>
    </message>
    <message>
        <source>Points in the tour:</source>
        <translation>Punkte in der Tour:</translation>
    </message>
</context>
<context>
    <name>rovanta::ListPageWidget</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Export GPX…</source>
        <translation>GPX exportieren…</translation>
    </message>
</context>
<context>
    <name>rovanta::ManagerSheet</name>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Touren</translation>
    </message>
    <message>
        <source>Map/Tour Folder</source>
        <translation>Karten-/Tourordner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
</context>
<context>
    <name>rovanta::PrintMapDialog</name>
    <message>
        <source>UTM grid</source>
        <translation>UTM-Gitter</translation>
    </message>
    <message>
        <source>Print Map</source>
        <translation>Karte drucken</translation>
    </message>
    <message>
        <source>as the sheet (%1)</source>
        <translation>wie das Blatt (%1)</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Maßstab:</translation>
    </message>
    <message>
        <source>Overlap:</source>
        <translation>Überlappung:</translation>
    </message>
</context>
<context>
    <name>rovanta::TourDistancesDialog</name>
    <message>
        <source>Distances for Tour: </source>
        <translation>Distanzen der Tour: </translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>CSV exportieren…</translation>
    </message>
    <message>
        <source>Export KML…</source>
        <translation>KML exportieren…</translation>
    </message>
</context>
</TS>
