function rand(a){return Math.floor(Math.random()*a);}
function rnd(){return Math.random();}
function chr(a){return String.fromCharCode(a);}
function asc(a){return a.charCodeAt(0);}
function mid(a,s,l){return a.substr(s,l);}
function len(a){return a.length;}
function abs(a){return Math.abs(a);}
function atan2(a,b){return Math.atan2(a,b);}
function cos(a){return Math.cos(a);}
function int(a){return Math.floor(a);}
function sin(a){return Math.sin(a);}
function tan(a){return Math.tan(a);}
function sqr(a){return Math.sqrt(a);}
function upper(a){return a.toUpperCase();}
function lower(a){return a.toLowerCase();}
function sett(x,y,c,t1,p){
 var i=0;while(i<tm&&t[i])++i;if(i==tm)++tm;
 t[i]=t1;tx[i]=x;ty[i]=y;txx[i]=0;tyy[i]=0;tr[i]=0;ts[i]=1;tc[i]=c;th[i]=0;tl[i]=0;tsx[i]=x;tsy[i]=y;tn[i]=sz;tp[i]=p;
 return i;}
function chkt(a,ii,s){var i;
 for(i=0;i<tm;i++){
  if(i!=ii&&t[i]==a&&Math.abs(tx[i]-sx)<s&&Math.abs(ty[i]-sy)<s){
   rsi=i;rsx=tx[i];rsy=ty[i];return 1;}}return 0;}
