<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>radioprog::gui::CCsvImportDlg</name>
    <message>
        <source>Import CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace all channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty the channels the file does not fill</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CCsvImportModel</name>
    <message>
        <source>Row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason or notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CComSetupDlg</name>
    <message>
        <source>COM Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find my cable</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chinese</source>
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
    <name>radioprog::gui::CLoginDlg</name>
    <message>
        <source>Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CMainFrame</name>
    <message>
        <source>&amp;Fleet Write...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write this memory to many radios, several ports at once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a memory kept after a read or before a write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;mpare with File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show how a .dat file differs from the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compare with Radio...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the radio and show what a write of the document would change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Transfer Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose whether a write backs up, verifies and shows the changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take back the last change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do the change taken back again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected channels to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected channels to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the channels on the clipboard at the selected channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select every channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the selected channels; the channels below move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert Empty Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert an empty channel; the channels below move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected channels up by one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected channels down by one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Set for Selected...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give one column of the selected channels one value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the channel window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Data From Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Data To Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Channel Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the channel window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
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
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio files (*.dat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Product Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the product type and the band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the serial port the radio is connected to</source>
        <translation></translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Program...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the radio&apos;s general options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the radio&apos;s scan settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query or change the radio&apos;s User password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the language of the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language you chose takes effect the next time the program starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language could not be stored, so the program keeps running in this language.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program could not be started again.
%1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export PDF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the printed report to a PDF file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be drawn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report was written to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Serial &amp;Trace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save every byte of the last exchange with the radio to a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no serial trace yet: it is kept from the next Read, Write or password exchange on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Serial Trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial trace saved to %1. It holds the radio&apos;s passwords.</source>
        <source>&amp;Import CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take channels from a CSV channel file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expor&amp;t CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the channels to a CSV channel file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The channels were written to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::COptionalFeaturesDlg</name>
</context>
<context>
    <name>radioprog::gui::CPasswordDlg</name>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The User Password is up to six digits.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CProcessDlg</name>
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
    <name>radioprog::gui::CProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start of the band is not a number; %1 MHz is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The end of the band is not a number; %1 MHz is kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CScanInfoDlg</name>
</context>
<context>
    <name>radioprog::gui::CPortChooserDlg</name>
    <message>
        <source>Change Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial ports of this computer; COM%1 will stand for the one you choose:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device (or type the path of another one):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial port found: plug the cable in.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CFindCableDlg</name>
    <message>
        <source>Find My Cable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unplug the radio&apos;s programming cable from the computer, then plug it back in. The port that appears will be COM%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the cable to be unplugged...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now plug the cable back in...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CSetForSelectedDlg</name>
    <message>
        <source>Set for Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Column:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A channel without a frequency stays empty.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CTransferOptionsDlg</name>
    <message>
        <source>Back up the radio before writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify after writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the changes before writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer Options</source>
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
    <name>radioprog::gui::CCompareDlg</name>
    <message>
        <source>Compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No differences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes the write makes to the radio:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes a write of this document would make to the radio:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes from this document to %1:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CBackupsDlg</name>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 could not be shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CProgramView</name>
    <message>
        <source>Write Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CFleetWriteDlg</name>
    <message>
        <source>Back up each radio before writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fleet Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another port, such as /dev/ttyUSB0 or COM2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One per port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radios in all:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ports:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check at least one port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radios are being written. Stop the run? A radio stopped part-way holds a mix of its old and new memory.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
