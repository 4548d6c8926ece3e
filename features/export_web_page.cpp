#include <cmath>

#include "features/export_formats.h"

namespace features {
namespace {

using base::Text;

std::string textOf(base::Language language, Text id) {
    return jsonString(utf8(base::textIn(language, id)));
}

std::string pointValue(float value) {
    if (std::isnan(value)) return "null";
    return std::to_string(std::lround(value * 1000) / 1000.0).substr(0, 5);
}

// The page's own markup, style and script: nothing is fetched from elsewhere, so it works on a
// network without the internet and shows nothing of the user to a third party.
constexpr const char* kPageHead = R"page(<!DOCTYPE html>
<html lang="@LANG@"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>KorvaNT</title>
<style>
body{font-family:system-ui,sans-serif;margin:0;padding:12px;background:#f4f5f7;color:#222}
h1{font-size:1.2em;margin:0 0 8px}
.grid{display:grid;grid-template-columns:repeat(auto-fit,minmax(150px,1fr));gap:8px}
.card{background:#fff;border-radius:8px;padding:8px 10px;box-shadow:0 1px 2px #0002}
.label{font-size:.8em;color:#666}.value{font-size:1.4em;font-variant-numeric:tabular-nums}
svg{width:100%;height:auto;background:#fff;border-radius:8px;margin-top:8px}
.grid{stroke:#ddd;stroke-width:.6}.tick{font-size:9px;fill:#666}
#state{font-size:.8em;color:#a00;min-height:1em}
.cpu{stroke:#2a7;fill:none;stroke-width:1.5}.memory{stroke:#36c;fill:none;stroke-width:1.5}
.key{font-size:.8em}.key .c{color:#2a7}.key .m{color:#36c}
</style></head><body>
<h1 id="title"></h1><div id="state"></div>
<div class="grid">
<div class="card"><div class="label" id="lcpu"></div><div class="value" id="cpu">-</div></div>
<div class="card"><div class="label" id="lmemory"></div><div class="value" id="memory">-</div></div>
<div class="card"><div class="label" id="lreceived"></div><div class="value" id="received">-</div></div>
<div class="card"><div class="label" id="lsent"></div><div class="value" id="sent">-</div></div>
<div class="card"><div class="label" id="luptime"></div><div class="value" id="uptime">-</div></div>
</div>
<div class="card" style="margin-top:8px"><div class="label" id="ldrives"></div><div id="drives"></div></div>
<div class="key" id="lhour"></div>
<svg id="chart" viewBox="0 0 400 124"></svg>
<script>
)page";

constexpr const char* kPageScript = R"page(
const $=id=>document.getElementById(id);
document.title=T.title;$("title").textContent=T.title;
for(const k of ["cpu","memory","received","sent","uptime","drives"])$("l"+k).textContent=T[k];
$("lhour").innerHTML='<span class="c">\u25A0</span> '+T.cpu+' <span class="m">\u25A0</span> '+T.memory+' \u2014 ';
$("lhour").append(T.hour);
const pct=r=>(r*100).toFixed(0)+" %";
const size=b=>{const u=["B","KB","MB","GB","TB"];let i=0;while(b>=1024&&i<4){b/=1024;i++}return b.toFixed(i?1:0)+" "+u[i]};
const dur=s=>{s=Math.floor(s);const d=Math.floor(s/86400),h=Math.floor(s%86400/3600),m=Math.floor(s%3600/60);return(d?d+"d ":"")+h+":"+String(m).padStart(2,"0")};
// The chart spans what there is, up to the hour: a scale on the left, minutes ago below.
const X0=34,X1=394,Y0=6,Y1=104;
function draw(){let s="";const f=P.findIndex(v=>v[0]!==null||v[1]!==null);
for(const q of [0,.5,1]){const y=Y1-q*(Y1-Y0);s+=`<line class="grid" x1="${X0}" x2="${X1}" y1="${y}" y2="${y}"/><text class="tick" x="${X0-3}" y="${y+3}" text-anchor="end">${q*100}%</text>`}
const n=f<0?1:Math.max(P.length-1-f,1),secs=n*STEP,x=i=>X0+(i-f)/n*(X1-X0);
if(f>=0){const mins=secs/60,every=[1,2,5,10,15,30].find(m=>mins/m<=6)||60;
for(let m=0;m*60<=secs;m+=every){const xm=X1-m*60/secs*(X1-X0);s+=`<line class="grid" x1="${xm}" x2="${xm}" y1="${Y0}" y2="${Y1}"/><text class="tick" x="${xm}" y="${Y1+13}" text-anchor="${m?"middle":"end"}">${m?T.ago.replace("{0}",m):T.now}</text>`}}
["cpu","memory"].forEach((k,j)=>{let p="";if(f>=0)P.forEach((v,i)=>{if(i>=f&&v[j]!==null)p+=x(i).toFixed(1)+","+(Y1-v[j]*(Y1-Y0)).toFixed(1)+" "});s+=`<polyline class="${k}" id="p${k}" points="${p}"/>`});
$("chart").innerHTML=s}
let ticks=0;
async function poll(){try{const r=await fetch("/data.json",{cache:"no-store"});const d=await r.json();
$("state").textContent="";const c=d.cpu_usage_ratio??null;$("cpu").textContent=c===null?"-":pct(c);
$("memory").textContent=pct(d.memory_used_bytes/Math.max(1,d.memory_total_bytes))+" ("+size(d.memory_used_bytes)+")";
$("received").textContent=size(d.network_received_bytes_total);$("sent").textContent=size(d.network_sent_bytes_total);
$("uptime").textContent=dur(d.system_uptime_seconds);
const ds=$("drives");ds.textContent="";for(const v of d.drives){const e=document.createElement("div");e.textContent=v.drive+" "+size(v.free_bytes)+" "+T.free+" / "+size(v.size_bytes);ds.append(e)}
if(++ticks%STEP==0){P.push([c,d.memory_used_bytes/Math.max(1,d.memory_total_bytes)]);if(P.length>3600/STEP)P.shift();draw()}
}catch(e){$("state").textContent=T.offline}}
draw();poll();setInterval(poll,1000);
</script></body></html>
)page";

}  // namespace

std::string pageHtml(base::Language language, const std::vector<ChartPoint>& points) {
    std::string page = kPageHead;
    page.replace(page.find("@LANG@"), 6, language == base::Language::English ? "en" : "ja");
    page += "const T={title:" + textOf(language, Text::ExportPageTitle);
    page += ",cpu:" + textOf(language, Text::ExportPageCpu);
    page += ",memory:" + textOf(language, Text::ExportPageMemory);
    page += ",received:" + textOf(language, Text::ExportPageReceived);
    page += ",sent:" + textOf(language, Text::ExportPageSent);
    page += ",uptime:" + textOf(language, Text::ExportPageUptime);
    page += ",drives:" + textOf(language, Text::ExportPageDrives);
    page += ",free:" + textOf(language, Text::ExportPageFree);
    page += ",hour:" + textOf(language, Text::ExportPageLastHour);
    page += ",ago:" + textOf(language, Text::ExportPageMinutesAgo);
    page += ",now:" + textOf(language, Text::ExportPageNow);
    page += ",offline:" + textOf(language, Text::ExportPageOffline) + "};\n";
    page += "const STEP=" + std::to_string(kChartStepSeconds) + ";\nconst P=[";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i) page += ',';
        page += '[' + pointValue(points[i].cpu) + ',' + pointValue(points[i].memory) + ']';
    }
    page += "];";
    return page + kPageScript;
}

}  // namespace features
