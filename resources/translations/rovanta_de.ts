<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Rovanta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandActions</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Tour…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in 	ALT++</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out 	ALT+-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Tour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Tour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Tour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tour Distances</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import GPX…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export GPX…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export KML…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deutsche Hilfe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Rovanta...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Tours</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DistancePrint</name>
    <message>
        <source>Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Easting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Northing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zone</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderPage</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>My Computer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageDialog</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertiesDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemarksDialog</name>
    <message>
        <source>Remarks for Tour: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RenameDialog</name>
    <message>
        <source>Rename Map Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>No selected Map found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename not possible!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing not possible!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File %1 is too large to be read!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File %1 could not be saved: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File %1 is no usable GPX file: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File %1 cannot be read as a tour!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File %1 is no usable map calibration file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File %1 is no tour (.TXT), GPX file (.gpx) or map (.cal)!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap format not supported: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help file not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problems in calibration files:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reference point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only one reference point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>both reference points on the same pixel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>both reference points at the same position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reference points too far apart or outside the UTM area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no bitmap named (no FILENAME: line)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bitmap not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bitmap not readable: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bitmap format not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hemisphere letter %1 is not N, E, O, S or W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hemisphere letter missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rovanta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Help, press F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate the Manager Tool
Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom into the map
ZoomIn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out the map
ZoomOut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new point to the tour. Center this position.
AddPoint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the last point
DeleteLastPoint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialize a new tour
NewTour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the last tour
SaveTour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display the next map
NextMap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in,  positioning this point in the midle of the screen
ZoomInHere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out, positioning this point in the midle of the screen
ZoomOutHere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display tour distances
TourDistance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deletes the point under the cursor
DeleteThisPoint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move this point to the next marked position
MoveThisPoint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a point before this point
InsertBeforeThis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the current tour
ClearTour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display program information and version
About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Rovanta
Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start over with the selected map
New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyword %1 not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will delete the Map Name %1 from the Maps List (the Map and the Cal-File will not be deleted)! Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will delete the Tour Name %1 from the Tour List (not the Tur-File itself)! Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The File allready exists! Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Tour is not saved! Would you save it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TourDistancesDialog</name>
    <message>
        <source>Distances for Tour: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dec. Degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dec. Minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dec. Seconde</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UTM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Easting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Northing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zone</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewPopup</name>
    <message>
        <source>Add Point Center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Before This</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move This Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete This Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Last Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Map</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::AboutDialog</name>
    <message>
        <source>Rovanta Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::CMainFrame</name>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::CRovantaApp</name>
    <message>
        <source>The settings could not be saved to %1!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the sample maps?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::HelpBrowser</name>
    <message>
        <source>&lt;html&gt;&lt;body&gt;&lt;h1&gt;Page not found&lt;/h1&gt;&lt;p&gt;The help file has no page %1.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::HelpWindow</name>
    <message>
        <source>Rovanta Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type in the keyword to find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::ImportDialog</name>
    <message>
        <source>Route</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waypoints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import GPX - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2, %3 points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points in the tour:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::ListPageWidget</name>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export GPX…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::ManagerSheet</name>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map/Tour Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rovanta::TourDistancesDialog</name>
    <message>
        <source>Distances for Tour: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export KML…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
